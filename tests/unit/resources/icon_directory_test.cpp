#include "resources/icon_directory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sw {
namespace {

// A two-entry icon file: a 16-pixel image "AAAA" and a 256-pixel image "BB".
// Entry fields: width, height, colours, reserved, planes, bits, length, offset.
std::vector<std::uint8_t> TwoImageIco() {
  // clang-format off
  return {0, 0, 1, 0, 2, 0,                                    // reserved, type 1, two entries
          16, 16, 0, 0, 1, 0, 32, 0, 4, 0, 0, 0, 38, 0, 0, 0,  // bytes 6..21
          0, 0, 0, 0, 1, 0, 32, 0, 2, 0, 0, 0, 42, 0, 0, 0,    // bytes 22..37
          'A', 'A', 'A', 'A', 'B', 'B'};                       // bytes 38..43
  // clang-format on
}

std::string Found(const std::vector<std::uint8_t>& ico, int size) {
  const auto image = FindIconImage(ico, size);
  return std::string(image.begin(), image.end());
}

TEST(FindIconImage, FindsEachEntryBySize) {
  const auto ico = TwoImageIco();
  EXPECT_EQ(Found(ico, 16), "AAAA");
  EXPECT_EQ(Found(ico, 256), "BB");  // stored as side 0
  for (int absent : {0, -16, 32, 257, 272}) EXPECT_EQ(Found(ico, absent), "") << absent;
}

TEST(FindIconImage, MalformedFilesGiveNothing) {
  struct Case {
    const char* what;
    std::size_t at;  // byte to overwrite, or the length to cut to when `cut`
    std::uint8_t value;
    bool cut;
  };
  const Case cases[] = {
      {"empty", 0, 0, true},
      {"header cut short", 5, 0, true},
      {"directory cut short", 30, 0, true},
      {"image cut short", 41, 0, true},
      {"reserved field set", 0, 1, false},
      {"a cursor file", 2, 2, false},
      {"more entries than the directory holds", 4, 9, false},
      {"image offset past the end", 18, 200, false},
      {"image length past the end", 14, 200, false},
      {"zero-length image", 14, 0, false},
  };
  for (const Case& c : cases) {
    auto ico = TwoImageIco();
    if (c.cut) {
      ico.resize(c.at);
    } else {
      ico[c.at] = c.value;
    }
    EXPECT_EQ(Found(ico, 16), "") << c.what;
  }
}

TEST(FindIconImage, OffsetAndLengthNearFourGigabytesDoNotWrapAround) {
  auto ico = TwoImageIco();
  for (std::size_t at : {14u, 15u, 16u, 17u}) ico[at] = 0xff;  // length 0xffffffff
  ico[18] = 2;                                                 // offset 2
  EXPECT_EQ(Found(ico, 16), "");
}

}  // namespace
}  // namespace sw
