// Trimming spaces from both ends of a text, walking characters.
#include <string>

#include "base/gbk_walk.h"
#include "base/text.h"

namespace sw {

namespace {

bool IsIdeographicSpace(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]) == 0xA1 && i + 1 < text.size() &&
         static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

}  // namespace

Text Trim(const Text& text) {
  const std::string_view bytes = text.view();
  const std::size_t size = bytes.size();

  // Leading spaces, walked from the first byte.
  std::size_t begin = 0;
  while (begin < size) {
    if (bytes[begin] == ' ') {
      ++begin;
    } else if (IsIdeographicSpace(bytes, begin)) {
      begin += 2;
    } else {
      break;
    }
  }

  // The tail is walked from the last place that is surely a character start and not
  // inside a trailing run: just after a byte below 0x80 other than a space (it ends a
  // character that is no space), or the end of the leading spaces.
  std::size_t walk = size;
  while (walk > begin && (bytes[walk - 1] == ' ' || gbk::IsLeadByte(bytes[walk - 1]))) --walk;

  std::size_t run_start = std::string_view::npos;  // where the current run of spaces began
  std::size_t end = size;
  while (walk < size) {
    const bool lead = gbk::IsLeadByte(bytes[walk]);
    if (lead && walk + 1 == size) {
      // A cut double-byte character at the end goes; the spaces before it stay.
      run_start = std::string_view::npos;
      end = walk;
      break;
    }
    const bool space = bytes[walk] == ' ' || IsIdeographicSpace(bytes, walk);
    if (!space) {
      run_start = std::string_view::npos;
    } else if (run_start == std::string_view::npos) {
      run_start = walk;
    }
    walk += lead ? 2 : 1;
  }
  if (run_start != std::string_view::npos) end = run_start;
  if (end <= begin) return {};
  return Text(bytes.substr(begin, end - begin));
}

}  // namespace sw
