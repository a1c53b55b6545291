// Character-aware case conversion and trimming.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/gbk_walk.h"
#include "base/text.h"

namespace sw {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Undoes the case change on bytes that were changed but are the second byte of a
// double-byte character. Only a byte right after a lead-range byte can be one, so the
// scan looks at eight bytes at a time for "lead-range byte, then byte below 0x80".
void RestoreTrailBytes(std::string_view original, std::string& converted) {
  const std::size_t size = original.size();
  const auto check = [&](std::size_t i) {
    if (converted[i] != original[i] && !gbk::StartsCharacter(original, 0, i)) {
      converted[i] = original[i];
    }
  };
  std::size_t i = 1;
  if constexpr (std::endian::native == std::endian::little) {
    std::uint64_t carry = 0;  // 0x80 when the byte before the block is lead-range
    std::size_t block = 0;
    for (; block + 8 <= size; block += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, original.data() + block, sizeof word);
      const std::uint64_t high = word & kHighBits;
      std::uint64_t after_high = ((high << 8) | carry) & ~high;
      carry = high >> 56;
      while (after_high != 0) {
        const std::size_t at = block + static_cast<std::size_t>(std::countr_zero(after_high)) / 8;
        if (at > 0) check(at);
        after_high &= after_high - 1;
      }
    }
    i = std::max<std::size_t>(block, 1);
  }
  for (; i < size; ++i) {
    if (gbk::IsLeadByte(original[i - 1]) && !gbk::IsLeadByte(original[i])) check(i);
  }
}

// Converts every ASCII letter in [first, last] by flipping its case bit, then puts back
// the second bytes of double-byte characters, which stay as they are.
Text ConvertCase(const Text& text, unsigned char first, unsigned char last) {
  std::string converted(text.bytes());
  for (char& c : converted) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= first && b <= last) c = static_cast<char>(b ^ 0x20);
  }
  RestoreTrailBytes(text.view(), converted);
  return Text(std::move(converted));
}

bool IsIdeographicSpace(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]) == 0xA1 && i + 1 < text.size() &&
         static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

}  // namespace

Text ToUpper(const Text& text) { return ConvertCase(text, 'a', 'z'); }

Text ToLower(const Text& text) { return ConvertCase(text, 'A', 'Z'); }

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
