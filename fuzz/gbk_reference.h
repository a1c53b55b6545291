// An independent statement of the GBK character walk, for the properties: a byte of
// 0x80 or above takes the byte after it, unless it is the last byte; any other byte
// stands alone.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace sw::fuzz {

// The 1-based positions at which the walk that begins at `start` (1-based) meets the
// first byte of a character. A lead byte that is the last byte ends the walk and is
// not listed.
inline std::vector<bool> CharacterStarts(std::string_view text, std::size_t start) {
  std::vector<bool> starts(text.size() + 2, false);
  std::size_t i = start;  // 1-based
  while (i >= 1 && i <= text.size()) {
    const bool lead = static_cast<unsigned char>(text[i - 1]) >= 0x80;
    if (lead && i == text.size()) break;
    starts[i] = true;
    i += lead ? 2 : 1;
  }
  return starts;
}

inline char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// True when `mark` lies at 1-based `position` of `text`, byte for byte or with the
// ASCII letters folded.
inline bool MatchesAt(std::string_view text, std::string_view mark, std::size_t position,
                      bool caseInsensitive) {
  if (position < 1 || position - 1 + mark.size() > text.size()) return false;
  for (std::size_t k = 0; k < mark.size(); ++k) {
    const char a = text[position - 1 + k];
    const char b = mark[k];
    if (caseInsensitive ? FoldAscii(a) != FoldAscii(b) : a != b) return false;
  }
  return true;
}

}  // namespace sw::fuzz
