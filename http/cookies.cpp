#include "http/cookies.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/byte_set.h"

namespace sw {
namespace {

constexpr char kSeparator[] = "; ";
constexpr char kDeletionMark[] = "=deleted";

// Trimmed, and ending in the full separator when it ended in a bare semicolon.
Text PrepareCookieText(const Text& cookies) {
  Text trimmed = Trim(cookies);
  if (TextRight(trimmed, 1) == Text(";")) trimmed = Concat(trimmed, " ");
  return trimmed;
}

Text DropFinalSeparator(const Text& joined, int separatorLength) {
  return TextLeft(joined, joined.size() - separatorLength);
}

}  // namespace

Text MergeCookies(Text& oldCookies, Text& newCookies) {
  oldCookies = PrepareCookieText(oldCookies);
  newCookies = PrepareCookieText(newCookies);
  const TextArray oldList = SplitText(oldCookies, Text(kSeparator));
  TextArray merged = SplitText(newCookies, Text(kSeparator));

  // Old entries join only under a name not yet present, so the first one wins. The
  // names present are kept in a set: the same answers as CookieListHas on the growing
  // list, without walking it for every entry of a long cookie text.
  std::unordered_set<std::string> names;
  for (const Text& entry : merged) names.insert(CookieName(entry).bytes());
  for (const Text& entry : oldList) {
    if (names.insert(CookieName(entry).bytes()).second) ArrayAppend(merged, entry);
  }

  // The entries to send: no deletion mark, no repeat, and the one empty entry left
  // only between two others, since at either end it would leave a separator there.
  std::vector<const Text*> kept;
  std::unordered_set<std::string_view> seen;
  for (const Text& entry : merged) {
    if (TextRight(entry, 8) == Text(kDeletionMark)) continue;
    if (seen.insert(entry.view()).second) kept.push_back(&entry);
  }
  if (!kept.empty() && kept.back()->empty()) kept.pop_back();
  if (!kept.empty() && kept.front()->empty()) kept.erase(kept.begin());

  std::string joined;
  for (const Text* entry : kept) {
    joined += entry->bytes();
    joined += kSeparator;
  }
  // Entries that now join across a double-byte character are one entry again; any
  // repeat among those goes as well.
  oldCookies = JoinDistinct(DropFinalSeparator(Text(joined), 2), kSeparator, true);
  return oldCookies;
}

Text CookieName(const Text& entry) {
  const int equals = FindText(entry, "=");
  return Trim(equals == -1 ? entry : TextLeft(entry, equals - 1));
}

bool CookieListHas(const TextArray& list, const Text& name) {
  for (const Text& entry : list) {
    if (CompareText(CookieName(entry), name) == 0) return true;
  }
  return false;
}

Text JoinDistinct(const Text& text, const Text& separator, bool splitMode) {
  TextArray pieces;
  if (splitMode) {
    pieces = SplitText(text, separator);
  } else {
    SplitChars(text, pieces);
  }
  // A piece is taken when no equal piece was taken before; the set gives the answer
  // FindInArray would give on the list of taken pieces, in constant time.
  std::unordered_set<std::string_view> taken;
  std::string joined;
  for (const Text& piece : pieces) {
    if (!taken.insert(piece.view()).second) continue;
    joined += piece.bytes();
    joined += separator.bytes();
  }
  return DropFinalSeparator(Text(joined), separator.size());
}

int SplitChars(const Text& text, TextArray& list) {
  list.Clear();
  const ByteSet bytes = ToBytes(text);
  const int n = bytes.Length();
  for (int d = 1; d <= n;) {
    int k = 1;
    if (d < n) {
      const int byte = bytes.At(d);
      if (byte >= 0x81 || (byte == 0x0D && bytes.At(d + 1) == 0x0A)) k = 2;
    }
    ArrayAppend(list, BytesToText(BytesMid(bytes, d, k)));
    d += k;
  }
  return list.Count();
}

int FindInArray(const TextArray& list, const Text& text) {
  int index = 1;
  for (const Text& element : list) {
    if (CompareText(element, text) == 0) return index;
    ++index;
  }
  return -1;
}

}  // namespace sw
