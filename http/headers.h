// Preparing a request header block: lines separated by CR LF, none after the last.
#pragma once

#include "base/text.h"

namespace sw {

// Drops every line without a colon (empty lines included) and capitalises the first
// letter of each dash-separated word of every header name; values stay untouched.
Text NormalizeHeaders(const Text& block);

// The word with its first byte upper-cased when that byte is an ASCII letter a to z.
Text CapitalizeFirst(const Text& word);

// Everything after the first ":" of the text (further lines included), trimmed of
// spaces; empty when there is no colon.
Text HeaderValue(const Text& text);

// Appends the line (which begins with CR LF) when the name occurs nowhere in the block,
// compared without regard to case.
void EnsureHeader(Text& block, const Text& name, const Text& line);

}  // namespace sw
