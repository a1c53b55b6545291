// TextArray: appending, element access, bounds and splitting.
#include "base/text_array.h"

#include <gtest/gtest.h>

#include <vector>

#include "exit_code.h"
#include "gbk_test_texts.h"

namespace sw {
namespace {

std::vector<std::string> Elements(const TextArray& array) {
  std::vector<std::string> out;
  for (int i = 1; i <= ArrayCount(array); ++i) out.push_back(array.At(i).bytes());
  return out;
}

TEST(TextArray, AppendStoresACopyAtTheEnd) {
  TextArray array;
  EXPECT_EQ(ArrayCount(array), 0);
  Text item("x");
  ArrayAppend(array, item);
  item = Text("changed");
  ArrayAppend(array, Text());
  EXPECT_EQ(Elements(array), (std::vector<std::string>{"x", ""}));
}

TEST(TextArrayDeathTest, IndexOutsideTheElementsEndsTheProcess) {
  TextArray array;
  EXPECT_EXIT(array.At(1), test::ExitedWithMinusOne(), "index 1 is above bounds \\(count 0\\)");
  EXPECT_EXIT(array.At(0), test::ExitedWithMinusOne(), "index 0 is below bounds \\(count 0\\)");
  ArrayAppend(array, Text("a"));
  EXPECT_EXIT(array.At(2), test::ExitedWithMinusOne(), "above bounds \\(count 1\\).*text_array_test");
  EXPECT_EXIT(array.At(-2147483647 - 1), test::ExitedWithMinusOne(), "index -2147483648 is below");
}

TEST(SplitText, PiecesRulesAndMaximumCount) {
  struct Case {
    const char* text;
    std::optional<Text> delimiter;
    std::optional<int> maximum;
    std::vector<std::string> expected;
  } cases[] = {
      {"", Text(";"), std::nullopt, {}},
      {"", Text(), std::nullopt, {}},
      {"abc", Text(), std::nullopt, {"abc"}},
      {"a\r\nb\r\n", Text("\r\n"), std::nullopt, {"a", "b"}},
      {"x,y", std::nullopt, std::nullopt, {"x", "y"}},
      {"a;;b", Text(";"), std::nullopt, {"a", "", "b"}},
      {";a", Text(";"), std::nullopt, {"", "a"}},
      {"a;", Text(";"), std::nullopt, {"a"}},
      {";", Text(";"), std::nullopt, {""}},
      {";;", Text(";"), std::nullopt, {"", ""}},
      {"a,b,c", std::nullopt, 2, {"a", "b"}},
      {"a,b,c", std::nullopt, 3, {"a", "b", "c"}},
      {"a,b,", std::nullopt, 2, {"a", "b"}},
      {"a,b,c", std::nullopt, 0, {}},
      {"a,b,c", std::nullopt, -1, {}},
      {"abc", Text(), 0, {}},
      {"aXXbXXXc", Text("XX"), std::nullopt, {"a", "b", "Xc"}},
      // A delimiter byte that is the second byte of a character never splits.
      {GBK_SHANG_A "A" GBK_SHANG_A, Text("A"), std::nullopt, {GBK_SHANG_A, GBK_SHANG_A}},
      {GBK_SHANG_A, Text("A"), std::nullopt, {GBK_SHANG_A}},
      {"k\x81\x3B;v", Text(";"), std::nullopt, {"k\x81\x3B", "v"}},
      {GBK_ZHONG "," GBK_WEN, std::nullopt, std::nullopt, {GBK_ZHONG, GBK_WEN}},
      // A lead byte at the very end stays in the last piece.
      {"a,\xD6", std::nullopt, std::nullopt, {"a", "\xD6"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Elements(SplitText(Text(c.text), c.delimiter, c.maximum)), c.expected)
        << "'" << c.text << "'";
  }
}

}  // namespace
}  // namespace sw
