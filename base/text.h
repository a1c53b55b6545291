// Text: a byte string in GBK (code page 936) that ends at its first zero byte.
// Positions are 1-based byte positions; the empty and the absent text are one value.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

class Text {
 public:
  Text() = default;
  // Takes the bytes up to the first zero byte; a null pointer is the empty text.
  Text(const char* bytes);  // NOLINT(google-explicit-constructor): literals read naturally
  // Takes the bytes up to the first zero byte of the view.
  explicit Text(std::string_view bytes);
  explicit Text(const std::string& bytes) : Text(std::string_view(bytes)) {}
  // Takes over the buffer, cut at its first zero byte.
  explicit Text(std::string&& bytes);

  const std::string& bytes() const { return bytes_; }
  std::string_view view() const { return bytes_; }
  const char* c_str() const { return bytes_.c_str(); }
  int size() const { return static_cast<int>(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }
  // The byte at 0-based offset i as an unsigned value; the caller keeps i in range.
  unsigned char byte(std::size_t i) const { return static_cast<unsigned char>(bytes_[i]); }

  friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }

 private:
  std::string bytes_;
};

// Length, concatenation, comparison.
int TextLength(const Text& text);
Text ConcatViews(std::initializer_list<std::string_view> parts);
template <typename... Parts>
Text Concat(const Parts&... parts) {
  return ConcatViews({std::string_view(Text(parts).bytes())...});
}
int CompareText(const Text& a, const Text& b);

// Cutting by byte count (may cut a double-byte character in half).
Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
Text TextMid(const Text& text, int start, int n);

// Single bytes.
Text CharFromCode(int code);
int CharCode(const Text& text, std::optional<int> position = std::nullopt);

// Character-aware searches; -1 when not found.
int FindText(const Text& text, const Text& mark, std::optional<int> start = std::nullopt,
             bool caseInsensitive = false);
int FindTextReverse(const Text& text, const Text& mark, std::optional<int> start = std::nullopt,
                    bool caseInsensitive = false);

// Character-aware case conversion (ASCII letters of one-byte characters only) and trimming.
Text ToUpper(const Text& text);
Text ToLower(const Text& text);
Text Trim(const Text& text);

Text ReplaceText(const Text& text, const Text& target,
                 const std::optional<Text>& replacement = std::nullopt,
                 std::optional<int> start = std::nullopt, std::optional<int> count = std::nullopt,
                 bool caseSensitive = true);

Text BlankText(int n);

// Numbers.
int ToInt(const Text& text);
int ToInt(double value);
Text NumberToText(double value);

// Composite searches; start 0 when the caller has none.
Text TextBetween(const Text& source, const Text& leftMark, const Text& rightMark, int start = 0,
                 bool caseInsensitive = false);
Text TextLeftOf(const Text& source, const Text& mark, int start = 0, bool caseInsensitive = false);

}  // namespace sw
