// Length, concatenation, comparison, cutting by byte count and single bytes.
#include "base/text.h"

#include <gtest/gtest.h>

#include <string>

#include "gbk_test_texts.h"

namespace sw {
namespace {

TEST(Text, EndsAtFirstZeroByteAndAbsentIsEmpty) {
  EXPECT_EQ(TextLength(Text()), 0);
  EXPECT_EQ(TextLength(Text(static_cast<const char*>(nullptr))), 0);
  EXPECT_EQ(Text(std::string_view("ab\0cd", 5)), Text("ab"));
  EXPECT_EQ(Text(std::string("ab\0cd", 5)), Text("ab"));
  EXPECT_EQ(TextLength(Text(GBK_ZHONG GBK_WEN)), 4);
}

TEST(Text, ConcatJoinsAllPartsAndEmptyPartsAddNothing) {
  EXPECT_EQ(Concat(Text(), Text(""), Text()), Text());
  EXPECT_EQ(Concat(Text("a"), "", std::string("bc"), Text(GBK_ZHONG)), Text("abc" GBK_ZHONG));
  // A part holding a zero byte contributes only what comes before it.
  EXPECT_EQ(ConcatViews({std::string_view("x\0y", 3), "z"}), Text("x"));
}

TEST(Text, CompareTextOrdersUnsignedBytesWithoutFolding) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  } cases[] = {
      {"", nullptr, 0},        {"abc", "abc", 0},          {"ab", "abc", -1},
      {"abc", "ab", 1},        {"a", "B", 1},              {"\x7F", "\x80", -1},
      {GBK_ZHONG, "z", 1},     {"A", "a", -1},             {"", "a", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareText(Text(c.a), Text(c.b)), c.expected) << c.a << " vs " << (c.b ? c.b : "");
  }
}

TEST(Text, CuttingClampsCountsAndMayHalveACharacter) {
  const Text abc("abc");
  struct Case {
    Text got;
    Text expected;
  } cases[] = {
      {TextLeft(Text(GBK_ZHONG GBK_WEN), 1), Text("\xD6")},
      {TextLeft(abc, 0), Text()},
      {TextLeft(abc, -5), Text()},
      {TextLeft(abc, 2), Text("ab")},
      {TextLeft(abc, 9), abc},
      {TextRight(abc, 9), abc},
      {TextRight(abc, 1), Text("c")},
      {TextRight(abc, -1), Text()},
      {TextMid(abc, 0, 2), Text()},
      {TextMid(abc, 2, 5), Text("bc")},
      {TextMid(abc, 2, 1), Text("b")},
      {TextMid(abc, 4, 1), Text()},
      {TextMid(abc, 1, 0), Text()},
      {TextMid(abc, 3, 2147483647), Text("c")},
      {TextMid(Text(), 1, 1), Text()},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
  }
}

TEST(Text, SingleBytes) {
  EXPECT_EQ(CharFromCode(0), Text());
  EXPECT_EQ(CharFromCode(256), Text());  // only the low 8 bits count
  EXPECT_EQ(CharFromCode(32), Text(" "));
  EXPECT_EQ(CharFromCode(0x141), Text("A"));
  EXPECT_EQ(CharFromCode(0xD6), Text("\xD6"));
  EXPECT_EQ(CharCode(Text(GBK_ZHONG)), -42);
  EXPECT_EQ(CharCode(Text(GBK_ZHONG), 2), static_cast<signed char>(0xD0));
  EXPECT_EQ(CharCode(Text("a")), 97);
  EXPECT_EQ(CharCode(Text("a"), 5), 0);
  EXPECT_EQ(CharCode(Text("a"), 0), 0);
  EXPECT_EQ(CharCode(Text()), 0);
}

TEST(Text, BlankText) {
  EXPECT_EQ(BlankText(0), Text());
  EXPECT_EQ(BlankText(-3), Text());
  EXPECT_EQ(BlankText(3), Text("   "));
}

}  // namespace
}  // namespace sw
