// Cookie texts: name=value entries separated by exactly "; ", no separator at either end.
#pragma once

#include "base/text.h"
#include "base/text_array.h"

namespace sw {

// Merges the cookies a response set (newCookies) into the request's (oldCookies):
// every new entry in its order, deletion marks ("=deleted" at the end) removed, then
// the old entries whose name the new text lacks. Repeated identical entries appear
// once. oldCookies receives the result; newCookies keeps its trimmed form.
Text MergeCookies(Text& oldCookies, Text& newCookies);

// The trimmed text before the entry's first "=", or the whole trimmed entry.
Text CookieName(const Text& entry);

// True when an entry of the list has exactly this name.
bool CookieListHas(const TextArray& list, const Text& name);

// The pieces of the text (split at the separator, or into characters when splitMode is
// false), each repeated piece dropped after its first occurrence, joined by the separator.
Text JoinDistinct(const Text& text, const Text& separator, bool splitMode);

// Fills the list with the text's characters (a GBK double-byte character, or a CR LF
// pair, is one character) and returns their number.
int SplitChars(const Text& text, TextArray& list);

// The 1-based index of the first element equal to the text, or -1.
int FindInArray(const TextArray& list, const Text& text);

}  // namespace sw
