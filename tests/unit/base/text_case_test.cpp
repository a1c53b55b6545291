// Case conversion and trimming walk characters.
#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "gbk_test_texts.h"

namespace sw {
namespace {

TEST(CaseConversion, ChangesOneByteLettersOnlyAndKeepsSecondBytes) {
  struct Case {
    const char* text;
    const char* upper;
    const char* lower;
  } cases[] = {
      {"abc" GBK_ZHONG "d", "ABC" GBK_ZHONG "D", "abc" GBK_ZHONG "d"},
      {GBK_SHANG_A, GBK_SHANG_A, GBK_SHANG_A},
      {"\x81" "a", "\x81" "a", "\x81" "a"},
      {"\x81\x41" "A\x81" "a" "a", "\x81\x41" "A\x81" "a" "A", "\x81\x41" "a\x81" "a" "a"},
      // Three lead-range bytes, then a letter: the letter is the second byte of the
      // second character and stays.
      {"\xB0\xA1\xB0" "a", "\xB0\xA1\xB0" "a", "\xB0\xA1\xB0" "a"},
      {"\xB0\xA1" "a", "\xB0\xA1" "A", "\xB0\xA1" "a"},
      {"Mixed 123 [@`{]", "MIXED 123 [@`{]", "mixed 123 [@`{]"},
      // Full-width letters are left alone.
      {"\xA3\xC1\xA3\xE1", "\xA3\xC1\xA3\xE1", "\xA3\xC1\xA3\xE1"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUpper(Text(c.text)), Text(c.upper)) << c.text;
    EXPECT_EQ(ToLower(Text(c.text)), Text(c.lower)) << c.text;
  }
}

TEST(CaseConversion, KeepsSecondBytesAcrossLongTexts) {
  // Long enough for the word-at-a-time scan, with the trail letters at every offset
  // relative to an eight-byte block and after lead runs of different lengths.
  std::string text;
  std::string lower;
  for (int i = 0; i < 40; ++i) {
    const std::string run(static_cast<std::size_t>(i % 5) * 2, '\xB0');  // whole characters
    text += run + "\x81" "Aa" + std::string(static_cast<std::size_t>(i % 3), 'Q');
    lower += run + "\x81" "Aa" + std::string(static_cast<std::size_t>(i % 3), 'q');
  }
  EXPECT_EQ(ToLower(Text(text)), Text(lower));
}

TEST(Trim, CutsSpacesAndIdeographicSpacesAtBothEnds) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {GBK_IDEO_SPACE " a b ", "a b"},
      {"\r\n a \r\n", "\r\n a \r\n"},
      {"a\t", "a\t"},
      {"   ", ""},
      {GBK_IDEO_SPACE " " GBK_IDEO_SPACE, ""},
      {"", ""},
      {"a" GBK_IDEO_SPACE, "a"},
      {GBK_ZHONG "  ", GBK_ZHONG},
      // Only whole 0xA1 0xA1 characters are spaces; a lone lead byte at the end is cut
      // and the spaces before it stay.
      {"\xB0\xA1\xA1", "\xB0\xA1"},
      {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
      {"x\xB0\xA1\xA1\xA1\xA1", "x\xB0\xA1\xA1\xA1"},
      {"x\xB0\xA1\xA1\xA1\xA1\xA1", "x\xB0\xA1"},
      // A space as second byte (0x81 0x20) is part of its character.
      {"a\x81 ", "a\x81 "},
      // A cut character at the end goes; the spaces before it stay.
      {" a \xD6", "a "},
      {"a  \xB0\xA1\xD6", "a  \xB0\xA1"},
      {" \xD6", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Trim(Text(c.text)), Text(c.expected)) << "'" << c.text << "'";
  }
}

}  // namespace
}  // namespace sw
