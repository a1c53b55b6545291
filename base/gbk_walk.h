// The GBK character walk shared by the text operations: a byte of 0x80 or above
// begins a two-byte character; any other byte is a character of its own. Internal to
// sw_base.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sw::gbk {

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// True when `pos` begins a character of the walk that begins at `walkStart`
// (walkStart <= pos). Only the run of lead-range bytes just before `pos` is read, so a
// caller that moves forward scans each byte at most once.
bool StartsCharacter(std::string_view text, std::size_t walkStart, std::size_t pos);

// The first position at or after `from` (where a character begins) at which the
// non-empty `mark` begins a character and fits inside `text`; npos when there is none.
// A lead byte that is the last byte of the text ends the walk and is no candidate.
std::size_t FindAligned(std::string_view text, std::string_view mark, std::size_t from);

// Every byte with the ASCII letters A-Z lowered, trail bytes included: two texts match
// case-insensitively exactly where their folded forms match.
std::string FoldForMatching(std::string_view text);

}  // namespace sw::gbk
