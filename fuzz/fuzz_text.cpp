// The text operations on arbitrary bytes. Beyond "no crash": both searches agree with
// a plain reference walk, and a search started on a character boundary never answers
// with a position inside a double-byte character.
//
// Fields: text, mark, start (empty: not given), case-insensitive, replacement,
// count (empty: not given).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/gbk_reference.h"

namespace sw::fuzz {
namespace {

int ExpectedFind(std::string_view text, std::string_view mark, std::optional<int> start,
                 bool caseInsensitive) {
  const long long from = start && *start >= 1 ? *start : 1;
  const long long length = static_cast<long long>(text.size());
  if (mark.empty()) return from <= length ? 1 : -1;
  if (from > length) return -1;
  const std::vector<bool> starts = CharacterStarts(text, static_cast<std::size_t>(from));
  for (std::size_t p = static_cast<std::size_t>(from); p <= text.size(); ++p) {
    if (starts[p] && MatchesAt(text, mark, p, caseInsensitive)) return static_cast<int>(p);
  }
  return -1;
}

int ExpectedFindReverse(std::string_view text, std::string_view mark, std::optional<int> start,
                        bool caseInsensitive) {
  long long window = static_cast<long long>(text.size());
  if (start) window = std::min(window, std::max(0LL, static_cast<long long>(*start) - 1));
  if (mark.empty()) return window > 0 ? 1 : -1;
  const std::vector<bool> starts = CharacterStarts(text, 1);
  int found = -1;
  for (std::size_t p = 1; p <= text.size(); ++p) {
    if (starts[p] && static_cast<long long>(p + mark.size() - 1) <= window &&
        MatchesAt(text, mark, p, caseInsensitive)) {
      found = static_cast<int>(p);
    }
  }
  return found;
}

bool Contains(const Text& whole, const Text& part) {
  return whole.view().find(part.view()) != std::string_view::npos;
}

void CheckSearches(const Text& text, const Text& mark, std::optional<int> start, bool folded) {
  const int found = FindText(text, mark, start, folded);
  Require(found == ExpectedFind(text.view(), mark.view(), start, folded),
          "FindText agrees with the reference walk");
  const std::vector<bool> boundaries = CharacterStarts(text.view(), 1);
  const int from = start && *start >= 1 ? *start : 1;
  if (found != -1 && !mark.empty() && from <= text.size() && boundaries[static_cast<std::size_t>(from)]) {
    Require(boundaries[static_cast<std::size_t>(found)],
            "FindText started on a boundary answers on a boundary");
  }
  Require(FindTextReverse(text, mark, start, folded) ==
              ExpectedFindReverse(text.view(), mark.view(), start, folded),
          "FindTextReverse agrees with the reference walk");
}

void CheckTransformations(const Text& text, const Text& mark, const Text& replacement,
                          std::optional<int> start, std::optional<int> count, bool folded) {
  const Text upper = ToUpper(text);
  const Text lower = ToLower(text);
  Require(upper.size() == text.size() && lower.size() == text.size(),
          "case conversion keeps the length");
  Require(ToLower(upper) == lower, "ToLower undoes ToUpper");
  Require(Contains(text, Trim(text)), "Trim gives a piece of the text");
  Require(Contains(text, TextBetween(text, mark, replacement, start.value_or(0), folded)),
          "TextBetween gives a piece of the text");
  Require(Contains(text, TextLeftOf(text, mark, std::max(0, start.value_or(0)), folded)),
          "TextLeftOf gives a piece of the text");
  const Text replaced = ReplaceText(text, mark, replacement, start, count, !folded);
  if (!folded && replacement == mark) {
    Require(replaced == text, "replacing a text by itself changes nothing");
  }
  if (replacement.empty()) Require(replaced.size() <= text.size(), "removing never grows the text");
}

void CheckCutsAndNumbers(const Text& text, int n, int start) {
  Require(TextLeft(text, n).size() == std::clamp(n, 0, text.size()), "TextLeft length");
  Require(TextRight(text, n).size() == std::clamp(n, 0, text.size()), "TextRight length");
  Require(Contains(text, TextMid(text, start, n)), "TextMid gives a piece of the text");
  Require(CharCode(text, start) >= -128 && CharCode(text, start) <= 127, "CharCode range");
  Require(BlankText(n % 4096).size() == std::max(0, n % 4096), "BlankText length");
  (void)ToInt(text);
  if (text.size() >= 8) {
    double value = 0;
    std::memcpy(&value, text.c_str(), sizeof value);
    Require(NumberToText(value).size() <= 24, "NumberToText stays short");
    (void)ToInt(value);
  }
}

}  // namespace
}  // namespace sw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sw::fuzz;
  FuzzInput input(data, size);
  const sw::Text text = input.NextText();
  const sw::Text mark = input.NextText();
  const std::optional<int> start = input.NextOptionalInt();
  const bool folded = input.NextBool();
  const sw::Text replacement = input.NextText();
  const std::optional<int> count = input.NextOptionalInt();

  CheckSearches(text, mark, start, folded);
  CheckTransformations(text, mark, replacement, start, count, folded);
  CheckCutsAndNumbers(text, count.value_or(3), start.value_or(1));
  return 0;
}
