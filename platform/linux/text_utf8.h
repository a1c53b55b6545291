// The one place where the program's GBK texts become UTF-8 for GTK.
#pragma once

#include <string>

#include "base/text.h"

namespace sw {

// GBK (code page 936) to UTF-8. A byte sequence that is not GBK becomes U+FFFD and
// conversion goes on with the next byte, so every text shows as far as it is valid.
std::string GbkToUtf8(const Text& gbk);

}  // namespace sw
