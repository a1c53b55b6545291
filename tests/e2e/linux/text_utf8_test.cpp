// The GBK to UTF-8 conversion at the edge of the GTK window layer.
#include "platform/linux/text_utf8.h"

#include <gtest/gtest.h>

#include "app/window_definitions.h"

namespace sw {
namespace {

TEST(GbkToUtf8, EveryWindowLiteralConvertsToItsReadableForm) {
  for (const GbkLiteral& literal : WindowLiterals()) {
    EXPECT_EQ(GbkToUtf8(literal.text()), literal.readable) << literal.readable;
  }
}

TEST(GbkToUtf8, BytesThatAreNotGbkBecomeReplacementCharacters) {
  struct Case {
    const char* gbk;
    const char* utf8;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"\xd7\xd4", "自"},                  // one double-byte character
      {"a\xd7", "a\xef\xbf\xbd"},          // a lead byte cut off at the end
      {"\xff\xd7\xd4", "\xef\xbf\xbd自"},  // 0xFF is no GBK byte; the rest still converts
      {"\x80x", "€x"},                     // code page 936 maps 0x80 to the euro sign
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GbkToUtf8(Text(c.gbk)), c.utf8) << c.gbk;
  }
}

}  // namespace
}  // namespace sw
