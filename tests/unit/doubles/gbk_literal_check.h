// Checks that literal texts written as GBK escapes are the GBK form of the readable text
// beside them. Uses the C library's converter, so it exists on Linux only.
#pragma once

#if !defined(_WIN32)
#include <gtest/gtest.h>
#include <iconv.h>

#include <span>
#include <string>

#include "base/gbk_literal.h"

namespace sw::testing {

// The GBK form of a UTF-8 text, or a marker when the C library cannot convert it.
inline std::string Utf8ToGbk(const std::string& utf8) {
  const iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t fromLeft = in.size();
  std::size_t toLeft = out.size();
  const std::size_t result = iconv(converter, &from, &fromLeft, &to, &toLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return "<not convertible>";
  out.resize(out.size() - toLeft);
  return out;
}

inline void ExpectGbkMatchesReadable(std::span<const GbkLiteral> literals) {
  for (const GbkLiteral& literal : literals) {
    EXPECT_EQ(literal.text().bytes(), Utf8ToGbk(literal.readable)) << literal.readable;
  }
}

}  // namespace sw::testing
#endif
