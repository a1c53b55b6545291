// Construction, length, concatenation, comparison and cutting by byte count.
#include "base/text.h"

#include <algorithm>
#include <cstring>

namespace sw {

namespace {

std::string_view UpToZero(std::string_view bytes) {
  return bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
}

}  // namespace

Text::Text(const char* bytes) : bytes_(bytes == nullptr ? "" : bytes) {}

Text::Text(std::string_view bytes) : bytes_(UpToZero(bytes)) {}

Text::Text(std::string&& bytes) : bytes_(std::move(bytes)) {
  bytes_.resize(UpToZero(bytes_).size());
}

int TextLength(const Text& text) { return text.size(); }

Text ConcatViews(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  std::string joined;
  joined.reserve(total);
  for (std::string_view part : parts) joined.append(part);
  return Text(std::move(joined));
}

int CompareText(const Text& a, const Text& b) {
  const std::size_t common = std::min(a.bytes().size(), b.bytes().size());
  // memcmp compares bytes as unsigned values, which is the order wanted here.
  const int order = common == 0 ? 0 : std::memcmp(a.c_str(), b.c_str(), common);
  if (order != 0) return order < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text TextLeft(const Text& text, int n) {
  if (n <= 0) return {};
  return Text(text.view().substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(const Text& text, int n) {
  if (n <= 0) return {};
  if (n >= text.size()) return text;
  return Text(text.view().substr(static_cast<std::size_t>(text.size() - n)));
}

Text TextMid(const Text& text, int start, int n) {
  if (start < 1 || start > text.size() || n <= 0) return {};
  return Text(text.view().substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
}

Text CharFromCode(int code) {
  const char byte = static_cast<char>(code & 0xFF);
  return Text(std::string_view(&byte, 1));  // the zero byte gives the empty text
}

int CharCode(const Text& text, std::optional<int> position) {
  const int at = position.value_or(1);
  if (at < 1 || at > text.size()) return 0;
  return static_cast<signed char>(text.byte(static_cast<std::size_t>(at - 1)));
}

Text BlankText(int n) {
  if (n <= 0) return {};
  return Text(std::string(static_cast<std::size_t>(n), ' '));
}

}  // namespace sw
