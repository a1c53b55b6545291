// The GBK character walk shared by the text operations: a byte of 0x80 or above
// begins a two-byte character; any other byte is a character of its own. Internal to
// sw_base.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sw::gbk {

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// True when `pos` begins a character of the walk that begins at `walkStart`
// (walkStart <= pos). Only the run of lead-range bytes just before `pos` is read, so a
// caller that moves forward scans each byte at most once.
bool StartsCharacter(std::string_view text, std::size_t walkStart, std::size_t pos);

// Every byte with the ASCII letters A-Z lowered, trail bytes included: two texts match
// case-insensitively exactly where their folded forms match.
std::string FoldForMatching(std::string_view text);

// Finds the places where a non-empty mark begins a character, for searches that move
// forward through one text. Short marks use the library's substring search; long ones
// a prefix-function automaton that never reads a byte twice, so every search stays
// linear in the text whatever the mark.
class MarkFinder {
 public:
  MarkFinder(std::string_view text, std::string_view mark);

  // The first position at or after `from` (where a character begins; never below an
  // earlier `from`) at which the mark begins a character and fits inside the text;
  // npos when there is none. A lead byte that is the last byte of the text ends the
  // walk and is no candidate.
  std::size_t Next(std::size_t from);

 private:
  // The first occurrence starting at or after `from`, overlapping ones included.
  std::size_t NextOccurrence(std::size_t from);

  std::string_view text_;
  std::string_view mark_;
  std::vector<std::size_t> border_;  // long marks: longest proper border of each prefix
  std::size_t scanned_ = 0;          // long marks: bytes of the text read so far
  std::size_t matched_ = 0;          // long marks: mark bytes matching just before scanned_
};

}  // namespace sw::gbk
