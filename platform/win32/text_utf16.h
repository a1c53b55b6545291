// The one place where the program's texts meet the wide-character Windows calls:
// GBK (code page 936) and UTF-8 to UTF-16 and back.
#pragma once

#include <string>
#include <string_view>

#include "base/text.h"

namespace sw {

// GBK bytes, whatever the system's ANSI code page, to UTF-16.
std::wstring GbkToUtf16(const Text& text);
// UTF-16 to GBK; characters GBK lacks become '?'.
Text Utf16ToGbk(std::wstring_view text);
// UTF-8 (control names, font faces written in the sources) to UTF-16.
std::wstring Utf8ToUtf16(std::string_view text);

}  // namespace sw
