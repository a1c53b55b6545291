// The program's own literal texts are GBK bytes. Each is written once, with its
// readable form beside it, so a test can check that the two agree.
#pragma once

#include "base/text.h"

namespace sw {

struct GbkLiteral {
  const char* gbk;       // the bytes the program uses
  const char* readable;  // the same text in UTF-8, for people and for the check
  operator Text() const { return Text(gbk); }  // NOLINT(google-explicit-constructor)
  Text text() const { return Text(gbk); }
};

}  // namespace sw
