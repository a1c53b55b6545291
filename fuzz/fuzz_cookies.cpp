// Merging cookie texts. The merged text holds no deletion mark, no separator at either
// end and no entry twice, and it is what the old-cookies variable receives.
//
// Fields: old cookies, new cookies, a text for JoinDistinct, its separator.
#include <cstdint>
#include <set>
#include <string>

#include "base/text_array.h"
#include "fuzz/fuzz_input.h"
#include "http/cookies.h"

namespace sw::fuzz {
namespace {

constexpr char kSeparator[] = "; ";

void CheckMerge(const Text& oldText, const Text& newText) {
  Text oldCookies = oldText;
  Text newCookies = newText;
  const Text merged = MergeCookies(oldCookies, newCookies);
  Require(oldCookies == merged, "the old cookies receive the merged text");
  Require(newCookies == Trim(newText) || newCookies == Concat(Trim(newText), " "),
          "the new cookies keep their trimmed form");
  Require(TextLeft(merged, 2) != Text(kSeparator), "no separator at the start");

  const TextArray entries = SplitText(merged, Text(kSeparator));
  std::string joined;
  std::set<std::string> seen;
  for (int i = 1; i <= entries.Count(); ++i) {
    const Text& entry = entries.At(i);
    if (i > 1) joined += kSeparator;
    joined += entry.bytes();
    Require(TextRight(entry, 8) != Text("=deleted"), "no deletion mark survives");
    Require(seen.insert(entry.bytes()).second, "no entry appears twice");
  }
  // A separator at the end would be dropped by the split.
  Require(joined == merged.bytes(), "no separator at the end");
}

}  // namespace
}  // namespace sw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sw::fuzz;
  FuzzInput input(data, size);
  const sw::Text oldCookies = input.NextText();
  const sw::Text newCookies = input.NextText();
  const sw::Text pieces = input.NextText();
  const sw::Text separator = input.NextText();
  CheckMerge(oldCookies, newCookies);
  (void)sw::CookieName(oldCookies);
  const sw::Text distinct = sw::JoinDistinct(pieces, separator, !separator.empty());
  Require(distinct.size() <= pieces.size() + separator.size(), "JoinDistinct never grows much");
  sw::TextArray list = sw::SplitText(oldCookies, sw::Text(kSeparator));
  const int index = sw::FindInArray(list, newCookies);
  Require(index == -1 || list.At(index) == newCookies, "FindInArray points at an equal element");
  return 0;
}
