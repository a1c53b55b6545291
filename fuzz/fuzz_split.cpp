// SplitText and SplitChars. The pieces joined with the delimiter give back the text,
// less one trailing delimiter; a maximum count keeps a prefix of the unlimited pieces.
//
// Fields: text, delimiter (empty: not given, which means ","), maximum count (empty:
// not given).
#include <cstdint>
#include <string>

#include "base/text_array.h"
#include "fuzz/fuzz_input.h"
#include "http/cookies.h"

namespace sw::fuzz {
namespace {

std::string Join(const TextArray& pieces, std::string_view delimiter) {
  std::string joined;
  bool first = true;
  for (const Text& piece : pieces) {
    if (!first) joined += delimiter;
    joined += piece.bytes();
    first = false;
  }
  return joined;
}

void CheckSplit(const Text& text, const std::optional<Text>& delimiter,
                std::optional<int> maximumCount) {
  const TextArray pieces = SplitText(text, delimiter);
  const std::string_view separator = delimiter ? delimiter->view() : std::string_view(",");
  const std::string joined = Join(pieces, separator);
  if (text.empty()) {
    Require(pieces.Count() == 0, "the empty text has no pieces");
  } else if (separator.empty()) {
    Require(pieces.Count() == 1 && pieces.At(1) == text, "an empty delimiter keeps the text whole");
  } else {
    Require(joined == text.bytes() || joined + std::string(separator) == text.bytes(),
            "the joined pieces give back the text, less a trailing delimiter");
  }

  if (!maximumCount) return;
  const TextArray limited = SplitText(text, delimiter, maximumCount);
  const int limit = std::max(*maximumCount, 0);
  Require(limited.Count() == std::min(limit, pieces.Count()),
          "a maximum count keeps that many pieces at most");
  for (int i = 1; i <= limited.Count(); ++i) {
    Require(limited.At(i) == pieces.At(i), "a maximum count keeps the first pieces");
  }
}

void CheckSplitChars(const Text& text) {
  TextArray characters;
  characters.Append("left over");
  const int count = SplitChars(text, characters);
  Require(count == characters.Count(), "SplitChars returns the number of characters");
  Require(Join(characters, "") == text.bytes(), "the characters joined give back the text");
  for (const Text& character : characters) {
    Require(character.size() == 1 || character.size() == 2, "a character has one or two bytes");
  }
}

}  // namespace
}  // namespace sw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sw::fuzz;
  FuzzInput input(data, size);
  const sw::Text text = input.NextText();
  const sw::Text delimiterField = input.NextText();
  const std::optional<sw::Text> delimiter =
      delimiterField.empty() ? std::nullopt : std::optional<sw::Text>(delimiterField);
  const std::optional<int> maximumCount = input.NextOptionalInt();
  CheckSplit(text, delimiter, maximumCount);
  CheckSplit(text, sw::Text(), std::nullopt);
  CheckSplitChars(text);
  return 0;
}
