// TextArray element access and splitting a text into pieces.
#include "base/text_array.h"

#include <algorithm>

#include "base/fatal.h"
#include "base/gbk_walk.h"

namespace sw {

const Text& TextArray::At(int index, const SourceLocation& where) const {
  if (index < 1) FatalIndexError(IndexErrorKind::kBelowBounds, index, Count(), where);
  if (index > Count()) FatalIndexError(IndexErrorKind::kAboveBounds, index, Count(), where);
  return items_[static_cast<std::size_t>(index - 1)];
}

// Pieces end at each delimiter that begins a character; empty pieces between or before
// delimiters count, a trailing delimiter adds none, and at most `maximumCount` pieces
// are kept (missing: no limit; negative: none).
TextArray SplitText(const Text& text, const std::optional<Text>& delimiter,
                    std::optional<int> maximumCount) {
  TextArray pieces;
  const long long limit = maximumCount ? std::max(*maximumCount, 0) : -1;
  if (text.empty() || limit == 0) return pieces;
  const std::string_view source = text.view();
  const std::string_view separator = delimiter ? delimiter->view() : std::string_view(",");
  if (separator.empty()) {
    pieces.Append(text);
    return pieces;
  }
  const auto full = [&] { return limit >= 0 && pieces.Count() >= limit; };
  gbk::MarkFinder finder(source, separator);
  std::size_t piece_start = 0;
  while (true) {
    const std::size_t hit = finder.Next(piece_start);
    if (hit == std::string_view::npos) break;
    pieces.Append(Text(source.substr(piece_start, hit - piece_start)));
    piece_start = hit + separator.size();
    if (full()) return pieces;
  }
  if (piece_start < source.size()) pieces.Append(Text(source.substr(piece_start)));
  return pieces;
}

}  // namespace sw
