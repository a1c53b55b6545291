// Character-aware searching and replacing, and the searches built on them.
#include <algorithm>
#include <string>

#include "base/base_literals.h"
#include "base/gbk_walk.h"
#include "base/text.h"

namespace sw {

namespace {

constexpr auto kNone = std::string_view::npos;

// 0-based offset where a walk from the 1-based `start` begins (missing or below 1: 1).
std::size_t WalkOrigin(std::optional<int> start) {
  return static_cast<std::size_t>(std::max(start.value_or(1), 1) - 1);
}

// The texts a search compares: the originals, or both case-folded. Folding keeps every
// byte's place and never moves a byte across 0x80, so positions and the walk agree.
class SearchPair {
 public:
  SearchPair(std::string_view originalText, std::string_view originalMark, bool fold) {
    if (fold) {
      folded_text_ = gbk::FoldForMatching(originalText);
      folded_mark_ = gbk::FoldForMatching(originalMark);
      text = folded_text_;
      mark = folded_mark_;
    } else {
      text = originalText;
      mark = originalMark;
    }
  }
  SearchPair(const SearchPair&) = delete;  // the views may point into this object
  SearchPair& operator=(const SearchPair&) = delete;

  std::string_view text;
  std::string_view mark;

 private:
  std::string folded_text_;
  std::string folded_mark_;
};

int ToPosition(std::size_t offset) { return static_cast<int>(offset) + 1; }

}  // namespace

int FindText(const Text& text, const Text& mark, std::optional<int> start, bool caseInsensitive) {
  const std::size_t origin = WalkOrigin(start);
  const auto length = static_cast<std::size_t>(text.size());
  if (origin >= length) return -1;
  if (mark.empty()) return 1;
  const SearchPair pair(text.view(), mark.view(), caseInsensitive);
  const std::size_t hit = gbk::MarkFinder(pair.text, pair.mark).Next(origin);
  return hit == kNone ? -1 : ToPosition(hit);
}

int FindTextReverse(const Text& text, const Text& mark, std::optional<int> start,
                    bool caseInsensitive) {
  std::size_t window = static_cast<std::size_t>(text.size());
  if (start.has_value()) {
    const long long before_start = static_cast<long long>(*start) - 1;
    window = before_start <= 0 ? 0 : std::min(window, static_cast<std::size_t>(before_start));
  }
  if (mark.empty()) return window > 0 ? 1 : -1;
  if (static_cast<std::size_t>(mark.size()) > window) return -1;
  // The walk runs from the first byte, so the last qualifying hit is found going forward.
  const SearchPair pair(text.view(), mark.view(), caseInsensitive);
  gbk::MarkFinder finder(pair.text, pair.mark);
  std::size_t last = kNone;
  std::size_t from = 0;
  while (true) {
    const std::size_t hit = finder.Next(from);
    if (hit == kNone || hit + pair.mark.size() > window) break;
    last = hit;
    from = hit + 1;
    // Resume on the next character start after the hit.
    if (gbk::IsLeadByte(pair.text[hit])) ++from;
  }
  return last == kNone ? -1 : ToPosition(last);
}

Text ReplaceText(const Text& text, const Text& target, const std::optional<Text>& replacement,
                 std::optional<int> start, std::optional<int> count, bool caseSensitive) {
  const std::size_t origin = WalkOrigin(start);
  long long remaining = count.value_or(-1);  // negative: no limit
  if (text.empty() || target.empty() || origin >= static_cast<std::size_t>(text.size()) ||
      remaining == 0) {
    return text;
  }
  const std::string_view source = text.view();
  const std::string_view insert = replacement ? replacement->view() : std::string_view();
  const SearchPair pair(source, target.view(), !caseSensitive);
  gbk::MarkFinder finder(pair.text, pair.mark);

  std::string result;
  result.reserve(source.size());
  result.append(source.substr(0, origin));
  std::size_t pos = origin;
  while (remaining != 0) {
    const std::size_t hit = finder.Next(pos);
    if (hit == kNone) break;
    result.append(source.substr(pos, hit - pos));
    result.append(insert);
    pos = hit + pair.mark.size();
    if (remaining > 0) --remaining;
  }
  result.append(source.substr(pos));
  return Text(std::move(result));
}

Text TextBetween(const Text& source, const Text& leftMark, const Text& rightMark, int start,
                 bool caseInsensitive) {
  const Text quote_name = kQuoteMarkName.text();
  const Text left = ReplaceText(leftMark, quote_name, Text("\""));
  const Text right = ReplaceText(rightMark, quote_name, Text("\""));

  const int left_at = FindText(source, left, start, caseInsensitive);
  if (left_at == -1) return {};
  const int from = left_at + left.size();
  const int right_at = FindText(source, right, from, caseInsensitive);
  if (right_at == -1) return {};
  return TextMid(source, from, right_at - from);
}

Text TextLeftOf(const Text& source, const Text& mark, int start, bool caseInsensitive) {
  int found = -1;
  if (start >= 0) {
    found = FindText(source, mark, start == 0 ? 1 : start, caseInsensitive);
  } else {
    // A start of -k searches backwards, up to k bytes before the end (k = 1: up to the end).
    const long long k = -static_cast<long long>(start);
    const long long back = k == 1 ? 0 : k;
    const long long from = source.size() - back;
    found = from < 1 ? -1 : FindTextReverse(source, mark, static_cast<int>(from), caseInsensitive);
  }
  return found == -1 ? Text() : TextLeft(source, found - 1);
}

}  // namespace sw
