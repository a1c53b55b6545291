// The searching, case, trimming and splitting operations against a plain byte-by-byte
// character walk, on many short random texts made of the bytes that matter: letters,
// spaces, a delimiter and lead-range bytes.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "base/text_array.h"

namespace sw {
namespace {

using Bytes = std::string;

bool Lead(char c) { return static_cast<unsigned char>(c) >= 0x80; }
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; }

bool MatchesAt(const Bytes& text, std::size_t at, const Bytes& mark, bool fold) {
  if (text.size() - at < mark.size()) return false;
  for (std::size_t k = 0; k < mark.size(); ++k) {
    const char a = text[at + k];
    const char b = mark[k];
    if (fold ? Fold(a) != Fold(b) : a != b) return false;
  }
  return true;
}

// Calls visit(position) for every character start from `origin`, up to the end or to a
// lead byte that ends the text; returns where the walk stopped.
template <typename Visit>
std::size_t Walk(const Bytes& text, std::size_t origin, Visit visit) {
  std::size_t i = origin;
  while (i < text.size()) {
    if (Lead(text[i]) && i + 1 == text.size()) break;
    if (!visit(i)) break;
    i += Lead(text[i]) ? 2 : 1;
  }
  return i;
}

int RefFind(const Bytes& text, const Bytes& mark, int start, bool fold) {
  const auto origin = static_cast<std::size_t>(std::max(start, 1) - 1);
  if (origin >= text.size()) return -1;
  if (mark.empty()) return 1;
  int found = -1;
  Walk(text, origin, [&](std::size_t i) {
    if (MatchesAt(text, i, mark, fold)) found = static_cast<int>(i) + 1;
    return found == -1;
  });
  return found;
}

int RefFindReverse(const Bytes& text, const Bytes& mark, int start, bool fold) {
  const std::size_t window =
      start <= 1 ? 0 : std::min(text.size(), static_cast<std::size_t>(start - 1));
  if (mark.empty()) return window > 0 ? 1 : -1;
  int found = -1;
  Walk(text, 0, [&](std::size_t i) {
    if (i + mark.size() <= window && MatchesAt(text, i, mark, fold)) found = static_cast<int>(i) + 1;
    return true;
  });
  return found;
}

Bytes RefLower(const Bytes& text) {
  Bytes out = text;
  Walk(text, 0, [&](std::size_t i) {
    if (!Lead(text[i])) out[i] = Fold(text[i]);
    return true;
  });
  return out;
}

Bytes RefTrim(const Bytes& text) {
  const auto space = [&](std::size_t i) {
    return text[i] == ' ' || (text.compare(i, 2, "\xA1\xA1") == 0 && i + 1 < text.size());
  };
  std::size_t begin = 0;
  const std::size_t stop_lead = Walk(text, 0, [&](std::size_t i) {
    begin = i;
    return space(i);
  });
  if (stop_lead >= text.size() || space(begin)) begin = stop_lead;  // all spaces, or a cut end
  std::size_t run = Bytes::npos;
  const std::size_t stop = Walk(text, begin, [&](std::size_t i) {
    if (!space(i)) run = Bytes::npos;
    else if (run == Bytes::npos) run = i;
    return true;
  });
  std::size_t end = stop < text.size() ? stop : text.size();
  if (stop < text.size()) run = Bytes::npos;  // a cut character goes, spaces before it stay
  if (run != Bytes::npos) end = run;
  return end <= begin ? Bytes() : text.substr(begin, end - begin);
}

Bytes RefReplace(const Bytes& text, const Bytes& target, const Bytes& replacement, bool fold) {
  Bytes out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (Lead(text[i]) && i + 1 == text.size()) break;
    if (MatchesAt(text, i, target, fold)) {
      out += replacement;
      i += target.size();
    } else {
      const std::size_t step = Lead(text[i]) ? 2 : 1;
      out += text.substr(i, step);
      i += step;
    }
  }
  return out + text.substr(std::min(i, text.size()));
}

std::vector<Bytes> RefSplit(const Bytes& text, const Bytes& delimiter, int maximum) {
  std::vector<Bytes> pieces;
  if (text.empty() || maximum == 0) return pieces;
  std::size_t piece = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (Lead(text[i]) && i + 1 == text.size()) break;
    if (MatchesAt(text, i, delimiter, false)) {
      pieces.push_back(text.substr(piece, i - piece));
      if (maximum > 0 && static_cast<int>(pieces.size()) >= maximum) return pieces;
      i += delimiter.size();
      piece = i;
    } else {
      i += Lead(text[i]) ? 2 : 1;
    }
  }
  if (piece < text.size()) pieces.push_back(text.substr(piece));
  return pieces;
}

class RandomTexts {
 public:
  Bytes Next(std::size_t maxLength) {
    static constexpr char kAlphabet[] = {'a', 'A', ' ', ';', '\x81', '\xA1', '\xB0', '\xD6'};
    return Draw(0, maxLength, kAlphabet, sizeof kAlphabet);
  }
  // Texts of two kinds of byte only, so that long marks occur often and overlap.
  Bytes NextRepetitive(std::size_t minLength, std::size_t maxLength) {
    static constexpr char kAlphabet[] = {'a', '\xB0'};
    return Draw(minLength, maxLength, kAlphabet, sizeof kAlphabet);
  }
  // A short random unit repeated, with a few bytes changed: long marks taken from it
  // occur at many overlapping places.
  Bytes NextPeriodic(std::size_t maxLength) {
    const Bytes unit = NextRepetitive(1, 4);
    Bytes text;
    const std::size_t length = engine_() % (maxLength + 1);
    while (text.size() < length) text += unit;
    text.resize(length);
    for (int changes = Between(0, 2); changes > 0 && !text.empty(); --changes) {
      char& c = text[engine_() % text.size()];
      c = c == 'a' ? '\xB0' : 'a';
    }
    return text;
  }
  int Between(int low, int high) {
    return low + static_cast<int>(engine_() % static_cast<unsigned>(high - low + 1));
  }

 private:
  Bytes Draw(std::size_t minLength, std::size_t maxLength, const char* alphabet, std::size_t size) {
    Bytes text(minLength + engine_() % (maxLength - minLength + 1), ' ');
    for (char& c : text) c = alphabet[engine_() % size];
    return text;
  }

  std::mt19937 engine_{20260311};
};

TEST(WalkReference, OperationsAgreeWithAPlainCharacterWalk) {
  RandomTexts random;
  for (int round = 0; round < 4000; ++round) {
    // Long enough texts now and then, so the eight-byte scans get exercised.
    const Bytes text = random.Next(round % 10 == 0 ? 64 : 12);
    const Bytes mark = random.Next(3);
    const int start = random.Between(-1, static_cast<int>(text.size()) + 2);
    const bool fold = round % 2 == 0;
    const Text t(text);
    const Text m(mark);
    SCOPED_TRACE(testing::PrintToString(text) + " / " + testing::PrintToString(mark) +
                 " / start " + std::to_string(start));

    ASSERT_EQ(FindText(t, m, start, fold), RefFind(text, mark, start, fold));
    ASSERT_EQ(FindTextReverse(t, m, start, fold), RefFindReverse(text, mark, start, fold));
    ASSERT_EQ(ToLower(t).bytes(), RefLower(text));
    ASSERT_EQ(ReplaceText(t, m, Text("<>"), std::nullopt, std::nullopt, !fold).bytes(),
              mark.empty() ? text : RefReplace(text, mark, "<>", fold));
    ASSERT_EQ(Trim(t).bytes(), RefTrim(text));
    if (!mark.empty()) {
      const int maximum = random.Between(-1, 4);
      std::vector<Bytes> pieces;
      for (const Text& piece : SplitText(t, m, maximum < 0 ? std::nullopt : std::optional(maximum))) {
        pieces.push_back(piece.bytes());
      }
      ASSERT_EQ(pieces, RefSplit(text, mark, maximum));
    }
  }
}

TEST(WalkReference, LongMarksAgreeWithAPlainCharacterWalk) {
  // Marks longer than sixteen bytes take the automaton path; with two kinds of byte
  // they occur often, overlap and fall on second bytes.
  RandomTexts random;
  for (int round = 0; round < 3000; ++round) {
    const Bytes text = round % 2 == 0 ? random.NextPeriodic(120) : random.NextRepetitive(0, 120);
    // Mostly a piece of the text itself, so that it does occur.
    const auto length = static_cast<std::size_t>(random.Between(17, 20));
    const Bytes mark = text.size() >= length && round % 4 != 0
                           ? text.substr(static_cast<std::size_t>(random.Between(
                                             0, static_cast<int>(text.size() - length))),
                                         length)
                           : random.NextRepetitive(length, length);
    const int start = random.Between(-1, static_cast<int>(text.size()) + 2);
    const Text t(text);
    const Text m(mark);
    SCOPED_TRACE(testing::PrintToString(text) + " / " + testing::PrintToString(mark) +
                 " / start " + std::to_string(start));

    ASSERT_EQ(FindText(t, m, start), RefFind(text, mark, start, false));
    ASSERT_EQ(FindTextReverse(t, m, start), RefFindReverse(text, mark, start, false));
    ASSERT_EQ(ReplaceText(t, m, Text("<>")).bytes(), RefReplace(text, mark, "<>", false));
    std::vector<Bytes> pieces;
    for (const Text& piece : SplitText(t, m)) pieces.push_back(piece.bytes());
    ASSERT_EQ(pieces, RefSplit(text, mark, -1));
  }
}

}  // namespace
}  // namespace sw
