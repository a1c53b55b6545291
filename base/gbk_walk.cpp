#include "base/gbk_walk.h"

namespace sw::gbk {

bool StartsCharacter(std::string_view text, std::size_t walkStart, std::size_t pos) {
  // A byte below 0x80 always ends a character (alone or as a trail byte), so the walk
  // is on a character start right after one. From there only lead-range bytes follow
  // up to `pos`, and they pair up two by two.
  std::size_t resync = pos;
  while (resync > walkStart && IsLeadByte(text[resync - 1])) --resync;
  return (pos - resync) % 2 == 0;
}

std::size_t FindAligned(std::string_view text, std::string_view mark, std::size_t from) {
  std::size_t known_start = from;
  std::size_t search_from = from;
  while (true) {
    const std::size_t hit = text.find(mark, search_from);
    if (hit == std::string_view::npos) return hit;
    if (StartsCharacter(text, known_start, hit)) {
      if (hit + 1 == text.size() && IsLeadByte(text[hit])) return std::string_view::npos;
      return hit;
    }
    // The hit is the second byte of a character, so the next character begins after it.
    known_start = hit + 1;
    search_from = hit + 1;
  }
}

std::string FoldForMatching(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') c = static_cast<char>(b | 0x20);
  }
  return folded;
}

}  // namespace sw::gbk
