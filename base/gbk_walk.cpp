#include "base/gbk_walk.h"

namespace sw::gbk {

namespace {

// Marks up to this length are searched with std::string_view::find, whose cost per
// text byte is bounded by the mark's length.
constexpr std::size_t kShortMark = 16;

}  // namespace

bool StartsCharacter(std::string_view text, std::size_t walkStart, std::size_t pos) {
  // A byte below 0x80 always ends a character (alone or as a trail byte), so the walk
  // is on a character start right after one. From there only lead-range bytes follow
  // up to `pos`, and they pair up two by two.
  std::size_t resync = pos;
  while (resync > walkStart && IsLeadByte(text[resync - 1])) --resync;
  return (pos - resync) % 2 == 0;
}

std::string FoldForMatching(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') c = static_cast<char>(b | 0x20);
  }
  return folded;
}

MarkFinder::MarkFinder(std::string_view text, std::string_view mark) : text_(text), mark_(mark) {
  if (mark.size() <= kShortMark) return;
  border_.assign(mark.size() + 1, 0);
  std::size_t k = 0;
  for (std::size_t i = 1; i < mark.size(); ++i) {
    while (k > 0 && mark[i] != mark[k]) k = border_[k];
    if (mark[i] == mark[k]) ++k;
    border_[i + 1] = k;
  }
}

std::size_t MarkFinder::NextOccurrence(std::size_t from) {
  if (border_.empty()) return text_.find(mark_, from);
  // Occurrences that begin before the automaton's window have all been passed.
  if (from >= scanned_) {
    scanned_ = from;
    matched_ = 0;
  }
  while (scanned_ < text_.size()) {
    const char c = text_[scanned_++];
    while (matched_ > 0 && c != mark_[matched_]) matched_ = border_[matched_];
    if (c == mark_[matched_]) ++matched_;
    if (matched_ == mark_.size()) {
      const std::size_t start = scanned_ - mark_.size();
      matched_ = border_[matched_];  // later occurrences may overlap this one
      if (start >= from) return start;
    }
  }
  return std::string_view::npos;
}

std::size_t MarkFinder::Next(std::size_t from) {
  std::size_t known_start = from;
  std::size_t search_from = from;
  while (true) {
    const std::size_t hit = NextOccurrence(search_from);
    if (hit == std::string_view::npos) return hit;
    if (StartsCharacter(text_, known_start, hit)) {
      if (hit + 1 == text_.size() && IsLeadByte(text_[hit])) return std::string_view::npos;
      return hit;
    }
    // The hit is the second byte of a character, so the next character begins after it.
    known_start = hit + 1;
    search_from = hit + 1;
  }
}

}  // namespace sw::gbk
