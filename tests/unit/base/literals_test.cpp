// The GBK bytes of the primitives' own texts against their readable forms.
#include <gtest/gtest.h>

#include <string>

#include "base/base_literals.h"

#if !defined(_WIN32)
#include <iconv.h>
#endif

namespace sw {
namespace {

#if !defined(_WIN32)
// The GBK form of a UTF-8 text, or a marker when the C library cannot convert it.
std::string Utf8ToGbk(const std::string& utf8) {
  const iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t from_left = in.size();
  std::size_t to_left = out.size();
  const std::size_t result = iconv(converter, &from, &from_left, &to, &to_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return "<not convertible>";
  out.resize(out.size() - to_left);
  return out;
}

TEST(BaseLiterals, BytesAreTheGbkFormOfTheReadableText) {
  for (const GbkLiteral& literal : kBaseLiterals) {
    EXPECT_EQ(literal.text().bytes(), Utf8ToGbk(literal.readable)) << literal.readable;
  }
}
#endif

}  // namespace
}  // namespace sw
