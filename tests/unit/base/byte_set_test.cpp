// ByteSet: clamping cuts, joining, comparing and the conversions to and from texts.
#include "base/byte_set.h"

#include <gtest/gtest.h>

#include "exit_code.h"

namespace sw {
namespace {

TEST(ByteSet, CutsClampTheirCounts) {
  const ByteSet bytes{1, 2, 3};
  struct Case {
    ByteSet got;
    ByteSet expected;
  } cases[] = {
      {BytesMid(bytes, 0, 2), ByteSet{1, 2}},
      {BytesMid(bytes, 3, 5), ByteSet{3}},
      {BytesMid(bytes, 4, 1), ByteSet{}},
      {BytesMid(bytes, 2, -1), ByteSet{}},
      {BytesMid(bytes, -2147483647 - 1, 2147483647), ByteSet{1, 2, 3}},
      {BytesMid(bytes, 2147483647, 2147483647), ByteSet{}},
      {BytesMid(ByteSet(), 1, 1), ByteSet{}},
      {BytesLeft(bytes, -1), ByteSet{}},
      {BytesLeft(bytes, 9), ByteSet{1, 2, 3}},
      {BytesLeft(bytes, 2), ByteSet{1, 2}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
  }
}

TEST(ByteSet, ConcatSameAndData) {
  const ByteSet empty;
  const ByteSet joined = ConcatBytes(empty, ByteSet());
  EXPECT_EQ(ByteSetLength(joined), 0);
  EXPECT_TRUE(SameBytes(joined, ByteSet()));
  EXPECT_EQ(ByteSetData(joined), nullptr);
  EXPECT_EQ(ConcatBytes(ByteSet{1}, empty, ByteSet{0, 2}), (ByteSet{1, 0, 2}));
  EXPECT_TRUE(SameBytes(ByteSet{1, 0}, ByteSet{1, 0}));
  EXPECT_FALSE(SameBytes(ByteSet{1, 0}, ByteSet{1}));
  EXPECT_FALSE(SameBytes(ByteSet{1, 0}, ByteSet{1, 1}));

  const ByteSet three{7, 8, 9};
  ASSERT_NE(ByteSetData(three), nullptr);
  EXPECT_EQ(ByteSetData(three)[2], 9);
  EXPECT_EQ(three.At(1), 7);
  EXPECT_EQ(ByteSet{0xFF}.At(1), 255);
}

TEST(ByteSet, ConversionsWithTexts) {
  EXPECT_EQ(BytesToText(ByteSet{0x41, 0x00, 0x42}), Text("A"));
  EXPECT_EQ(BytesToText(ByteSet{0x00, 0x42}), Text());
  EXPECT_EQ(BytesToText(ByteSet()), Text());
  EXPECT_EQ(BytesToText(ByteSet{0xD6, 0xD0}), Text("\xD6\xD0"));
  EXPECT_EQ(ByteSetLength(ToBytes(Text("ab"))), 2);
  EXPECT_EQ(ToBytes(Text()), ByteSet());
  EXPECT_EQ(ByteSet(nullptr, 5), ByteSet());
}

TEST(ByteSet, BlankBytes) {
  const ByteSet blank = BlankBytes(1024);
  EXPECT_EQ(ByteSetLength(blank), 1024);
  EXPECT_EQ(blank, ByteSet(std::vector<std::uint8_t>(1024, 0)));
  EXPECT_EQ(BlankBytes(0), ByteSet());
  EXPECT_EQ(BlankBytes(-1), ByteSet());
}

TEST(ByteSetDeathTest, IndexOutsideTheBytesEndsTheProcess) {
  const ByteSet bytes{1, 2};
  EXPECT_EXIT(bytes.At(3), test::ExitedWithMinusOne(), "index 3 is above bounds \\(count 2\\)");
  EXPECT_EXIT(bytes.At(0), test::ExitedWithMinusOne(), "index 0 is below bounds \\(count 2\\)");
  EXPECT_EXIT(ByteSet().At(1), test::ExitedWithMinusOne(), "above bounds \\(count 0\\)");
}

}  // namespace
}  // namespace sw
