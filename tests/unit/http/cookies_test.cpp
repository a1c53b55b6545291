#include "http/cookies.h"

#include <gtest/gtest.h>

#include <vector>

namespace sw {
namespace {

TextArray ArrayOf(std::initializer_list<const char*> items) {
  TextArray array;
  for (const char* item : items) ArrayAppend(array, item);
  return array;
}

struct MergeCase {
  const char* oldCookies;
  const char* newCookies;
  const char* merged;
};

TEST(Cookies, MergeCookies) {
  const MergeCase cases[] = {
      {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1"},
      {"a=1; b=2", "b=deleted", "a=1"},
      {" SID=x ; lang=zh", "lang=en; SID=deleted", "lang=en"},
      {"a=1;", "", "a=1"},
      {"", "x=1", "x=1"},
      {"", "", ""},
      {"a=1; a=2", "", "a=1"},
      {"x=1; y=2; x=3", "y=deleted", "x=1"},
      {"a=1", "a=2; a=3", "a=2; a=3"},
      {"", "c=4; c=4", "c=4"},
      {"a=deleted", "", ""},
      {"a=1", "A=2", "A=2; a=1"},
      {"k=v;x=1", "", "k=v;x=1"},
      {"a=1", "  c=4 ; ", "c=4 ; a=1"},
      {"a=1; ; b=2", "", "a=1; ; b=2"},
      // A deletion mark must end the entry; in the old text it only drops itself.
      {"a=1", "a=deleted ; b=2", "a=deleted ; b=2"},
      {"b=2; a=deleted", "", "b=2"},
      {"a=deleted", "a=5", "a=5"},
      // An empty entry never comes first or last: the text would begin or end with a
      // separator.
      {"; lang S=x 3", "", "lang S=x 3"},
      {"a=1", "; ; b=2", "b=2; a=1"},
      {"; x", "y=deleted; ; z", "z; x"},
      {"; a=1; ; b=2", "", "a=1; b=2"},
      {"", "b=; ; b=", "b="},
      {"a=1; = b4", "'; b=; a=; ; b=;  ", "'; b=; a="},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(std::string("old '") + c.oldCookies + "', new '" + c.newCookies + "'");
    Text oldCookies = c.oldCookies;
    Text newCookies = c.newCookies;
    EXPECT_EQ(MergeCookies(oldCookies, newCookies), Text(c.merged));
    EXPECT_EQ(oldCookies, Text(c.merged));
  }
}

TEST(Cookies, MergesLongCookieTextsEntryByEntry) {
  std::string oldText = "keep=1";
  std::string newText;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string number = std::to_string(i);
    newText.append("c").append(number).append("=").append(number).append("; ");
    expected.append("c").append(number).append("=").append(number).append("; ");
    oldText.append("; c").append(number).append("=old");
  }
  newText += "c7=7";  // a repeat, dropped
  Text oldCookies(oldText);
  Text newCookies(newText);
  EXPECT_EQ(MergeCookies(oldCookies, newCookies), Text(expected + "keep=1"));
}

TEST(Cookies, MergeLeavesTheNewTextTrimmed) {
  Text oldCookies = "a=1";
  Text newCookies = "  c=4 ;";
  MergeCookies(oldCookies, newCookies);
  EXPECT_EQ(newCookies, Text("c=4 ; "));
}

TEST(Cookies, CookieNameIsTheTrimmedTextBeforeTheFirstEquals) {
  EXPECT_EQ(CookieName("a=1"), Text("a"));
  EXPECT_EQ(CookieName(" SID =x=y"), Text("SID"));
  EXPECT_EQ(CookieName("flag"), Text("flag"));
  EXPECT_EQ(CookieName("=v"), Text(""));
  EXPECT_EQ(CookieName("k=v;x=1"), Text("k"));
}

TEST(Cookies, CookieListHasComparesNamesExactly) {
  const TextArray list = ArrayOf({"a=1", " b =2"});
  EXPECT_TRUE(CookieListHas(list, "b"));
  EXPECT_FALSE(CookieListHas(list, "A"));
  EXPECT_FALSE(CookieListHas(TextArray(), ""));
}

TEST(Cookies, JoinDistinctDropsRepeatedPieces) {
  EXPECT_EQ(JoinDistinct("x; y; x", "; ", true), Text("x; y"));
  EXPECT_EQ(JoinDistinct("", "; ", true), Text(""));
  EXPECT_EQ(JoinDistinct("aba", ",", false), Text("a,b"));
  EXPECT_EQ(JoinDistinct("\xD6\xD0"
                         "a\xD6\xD0",
                         "|", false),
            Text("\xD6\xD0|a"));
}

TEST(Cookies, SplitCharsTakesDoubleByteCharactersAndCrLfWhole) {
  const struct {
    const char* text;
    std::vector<const char*> chars;
  } cases[] = {
      {"a\xD6\xD0\r\n", {"a", "\xD6\xD0", "\r\n"}},
      {"a\x81", {"a", "\x81"}},
      {"\x80"
       "a",
       {"\x80", "a"}},
      {"a\rb\n", {"a", "\r", "b", "\n"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TextArray list = ArrayOf({"stale"});
    EXPECT_EQ(SplitChars(c.text, list), static_cast<int>(c.chars.size()));
    TextArray expected;
    for (const char* ch : c.chars) ArrayAppend(expected, ch);
    EXPECT_EQ(list, expected);
  }
}

TEST(Cookies, FindInArrayGivesTheFirstEqualIndex) {
  EXPECT_EQ(FindInArray(ArrayOf({"a", "b", "b"}), "b"), 2);
  EXPECT_EQ(FindInArray(ArrayOf({"a", "b"}), "B"), -1);
  EXPECT_EQ(FindInArray(TextArray(), "a"), -1);
}

}  // namespace
}  // namespace sw
