// Character-aware searches, replacement and the composite searches built on them.
#include <gtest/gtest.h>

#include <optional>

#include "base/text.h"
#include "gbk_test_texts.h"

namespace sw {
namespace {

struct FindCase {
  const char* text;
  const char* mark;
  std::optional<int> start;
  bool caseInsensitive;
  int expected;
};

TEST(FindText, WalksCharactersAndNeverMatchesASecondByte) {
  const FindCase cases[] = {
      {GBK_ZHONG "a", "a", std::nullopt, false, 3},
      {GBK_SHANG_A, "A", std::nullopt, false, -1},
      {GBK_SHANG_A "A", "A", std::nullopt, false, 3},
      // Starting on the second byte of 中 pairs it with 'a'; position 3 is never tried.
      {GBK_ZHONG "a", "a", 2, false, -1},
      {"\x81\x22\"", "\"", std::nullopt, false, 3},
      {"\x81\x5C\\", "\\", std::nullopt, false, 3},
      {"\x81\x3A:", ":", std::nullopt, false, 3},
      {"x\x81\x3B;", ";", std::nullopt, false, 4},
      {GBK_WEN GBK_ZHONG, GBK_ZHONG, std::nullopt, false, 3},
      {"\xCE\xD6\xD0", GBK_ZHONG, std::nullopt, false, -1},
      // A lead byte that ends the text ends the walk: it is no candidate.
      {"a\xD6", "\xD6", std::nullopt, false, -1},
      {"\xD6\xD0\xD6", "\xD6", std::nullopt, false, 1},
      {"\xD0\xD6\xD6", "\xD6", std::nullopt, false, -1},
      {"abcabc", "abc", 2, false, 4},
      {"abcabc", "abc", 0, false, 1},
      {"abcabc", "abc", -7, false, 1},
      {"abc", "abcd", std::nullopt, false, -1},
      {"abc", "c", 4, false, -1},
      {"", "a", std::nullopt, false, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(Text(c.text), Text(c.mark), c.start, c.caseInsensitive), c.expected)
        << "mark '" << c.mark << "' in '" << c.text << "' from " << c.start.value_or(-99);
  }
}

TEST(FindText, EmptyMarkGivesOneWhileStartIsInsideTheText) {
  EXPECT_EQ(FindText(Text("abc"), Text()), 1);
  EXPECT_EQ(FindText(Text("abc"), Text(), 3), 1);
  EXPECT_EQ(FindText(Text("abc"), Text(), 4), -1);
  EXPECT_EQ(FindText(Text(), Text()), -1);
}

TEST(FindText, CaseInsensitiveFoldsAsciiLettersOnlyButInEveryByte) {
  const FindCase cases[] = {
      {"Accept: x", "accept:", std::nullopt, true, 1},
      {"Accept: x", "accept:", std::nullopt, false, -1},
      {"xCOOKIE", "cookie", std::nullopt, true, 2},
      // The trail byte 0x41 of 丄 folds to 'a' when the mark spans the whole character.
      {GBK_SHANG_A, "\x81" "a", std::nullopt, true, 1},
      {GBK_SHANG_A, "\x81" "a", std::nullopt, false, -1},
      // But it is still no candidate position of its own.
      {GBK_SHANG_A, "a", std::nullopt, true, -1},
      // Full-width letters and non-letters are compared exactly.
      {"\xA3\xC1", "\xA3\xE1", std::nullopt, true, -1},
      {"[@]", "[`]", std::nullopt, true, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(Text(c.text), Text(c.mark), c.start, c.caseInsensitive), c.expected)
        << "mark '" << c.mark << "' in '" << c.text << "'";
  }
}

TEST(FindTextReverse, FindsTheLastHitWhollyBeforeStart) {
  const FindCase cases[] = {
      {"a.b.c", ".", std::nullopt, false, 4},
      {"a.b.c", ".", 4, false, 2},
      {"a.b.c", ".", 2, false, -1},
      {"a.b.c", ".", 9, false, 4},
      {"a.b.c", ".", -3, false, -1},
      {"abc", "bc", 3, false, -1},
      {"abc", "bc", 4, false, 2},
      {"aaa", "aa", std::nullopt, false, 2},
      {GBK_SHANG_A "A" GBK_SHANG_A, "A", std::nullopt, false, 3},
      {GBK_SHANG_A, "A", std::nullopt, false, -1},
      {GBK_ZHONG GBK_ZHONG, "\xD0\xD6", std::nullopt, false, -1},
      {"abAB", "b", std::nullopt, true, 4},
      {"abAB", "b", std::nullopt, false, 2},
      {"x\x81\x3B;y;", ";", 6, false, 4},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindTextReverse(Text(c.text), Text(c.mark), c.start, c.caseInsensitive), c.expected)
        << "mark '" << c.mark << "' in '" << c.text << "' before " << c.start.value_or(-99);
  }
  EXPECT_EQ(FindTextReverse(Text("abc"), Text()), 1);
  EXPECT_EQ(FindTextReverse(Text("abc"), Text(), 1), -1);
  EXPECT_EQ(FindTextReverse(Text(), Text()), -1);
}

TEST(ReplaceText, ReplacesWholeCharactersFromStartUpToCount) {
  struct Case {
    const char* text;
    const char* target;
    std::optional<Text> replacement;
    std::optional<int> start;
    std::optional<int> count;
    bool caseSensitive;
    const char* expected;
  } cases[] = {
      {"aXbXc", "X", Text("-"), std::nullopt, std::nullopt, true, "a-b-c"},
      {"aXbXc", "X", Text("-"), std::nullopt, 1, true, "a-bXc"},
      {"aXbXc", "X", Text("-"), 3, std::nullopt, true, "aXb-c"},
      {"aXbXc", "X", Text("-"), 0, -4, true, "a-b-c"},
      {"aXbXc", "X", Text("-"), std::nullopt, 0, true, "aXbXc"},
      {"aXbXc", "X", Text("-"), 6, std::nullopt, true, "aXbXc"},
      {"aXbXc", "X", std::nullopt, std::nullopt, std::nullopt, true, "abc"},
      {"aXbXc", "", Text("-"), std::nullopt, std::nullopt, true, "aXbXc"},
      {"", "X", Text("-"), std::nullopt, std::nullopt, true, ""},
      {"Set-Cookie: a", "set-cookie:", std::nullopt, std::nullopt, std::nullopt, false, " a"},
      {"Set-Cookie: a", "set-cookie:", std::nullopt, std::nullopt, std::nullopt, true,
       "Set-Cookie: a"},
      {GBK_SHANG_A "A" GBK_SHANG_A, "A", Text("x"), std::nullopt, std::nullopt, true,
       GBK_SHANG_A "x" GBK_SHANG_A},
      {"\x81\x22\"", "\"", Text("'"), std::nullopt, std::nullopt, true, "\x81\x22'"},
      {"\x81\x5C\\", "\\", Text("/"), std::nullopt, std::nullopt, true, "\x81\x5C/"},
      {GBK_ZHONG "a" GBK_ZHONG, GBK_ZHONG, Text(GBK_WEN), std::nullopt, std::nullopt, true,
       GBK_WEN "a" GBK_WEN},
      // Matches never overlap and inserted text is not searched again.
      {"aaaa", "aa", Text("a"), std::nullopt, std::nullopt, true, "aa"},
      {"aa", "a", Text("aa"), std::nullopt, std::nullopt, true, "aaaa"},
      // A lead byte that ends the text is copied as it is.
      {"a\xD6", "\xD6", Text("x"), std::nullopt, std::nullopt, true, "a\xD6"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceText(Text(c.text), Text(c.target), c.replacement, c.start, c.count,
                          c.caseSensitive),
              Text(c.expected))
        << "'" << c.target << "' in '" << c.text << "'";
  }
}

TEST(TextBetween, TakesTheTextBetweenTheFirstMarks) {
  struct Case {
    const char* source;
    const char* left;
    const char* right;
    int start;
    bool caseInsensitive;
    const char* expected;
  } cases[] = {
      {"ver=[5.7];", "[", "]", 0, false, "5.7"},
      {"ver=[5.7];", "(", "]", 0, false, ""},
      {"ver=[5.7];", "[", ")", 0, false, ""},
      {"[]", "[", "]", 0, false, ""},
      {"a[1]b[2]", "[", "]", 1, false, "1"},
      {"a[1]b[2]", "[", "]", 4, false, "2"},
      {"a[1]b[2]", "[", "]", -3, false, "1"},
      {"abc]d", "", "]", 0, false, "abc"},
      {"v=\"5.8\";", "#" GBK_YIN_HAO, "#" GBK_YIN_HAO, 0, false, "5.8"},
      {"v=\"5.8\";", "v=#" GBK_YIN_HAO, "#" GBK_YIN_HAO ";", 0, false, "5.8"},
      {"X<B>y</b>", "<b>", "</B>", 0, true, "y"},
      {"X<B>y</b>", "<b>", "</B>", 0, false, ""},
      // The '[' that is the second byte of 0x81 0x5B is no mark.
      {"\x81[[v]", "[", "]", 0, false, "v"},
      {"k\x81\x3A:v;", ":", ";", 0, false, "v"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextBetween(Text(c.source), Text(c.left), Text(c.right), c.start, c.caseInsensitive),
              Text(c.expected))
        << "'" << c.left << "' .. '" << c.right << "' in '" << c.source << "'";
  }
}

TEST(TextLeftOf, TakesEverythingBeforeTheMark) {
  struct Case {
    const char* source;
    const char* mark;
    int start;
    bool caseInsensitive;
    const char* expected;
  } cases[] = {
      {"Set-Cookie: a=1", ": ", 0, false, "Set-Cookie"},
      {"abc", ": ", 0, false, ""},
      {"a:b:c", ":", 3, false, "a:b"},
      {"a:b:c", ":", 1, false, "a"},
      {"aXbxc", "x", 0, true, "a"},
      {"\x81:" ":x", ":", 0, false, "\x81:"},
      // Negative starts search backwards from near the end.
      {"a:b:c", ":", -1, false, "a:b"},
      {"a:b:", ":", -1, false, "a"},  // -1 leaves out the last byte
      {"a:b:c", ":", -2, false, "a"},
      {"a:b:c", ":", -5, false, ""},
      {"a:b:c", ":", -2147483647 - 1, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextLeftOf(Text(c.source), Text(c.mark), c.start, c.caseInsensitive),
              Text(c.expected))
        << "'" << c.mark << "' in '" << c.source << "' from " << c.start;
  }
}

}  // namespace
}  // namespace sw
