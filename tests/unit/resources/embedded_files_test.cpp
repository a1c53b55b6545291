#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "png_reader.h"
#include "resources/resources.h"

namespace sw {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t U32(Bytes bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
std::uint16_t U16(Bytes bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
std::int16_t S16(Bytes bytes, std::size_t at) {
  return static_cast<std::int16_t>(U16(bytes, at));
}
std::string Id(Bytes bytes, std::size_t at) {
  return std::string(bytes.begin() + at, bytes.begin() + at + 4);
}

constexpr std::size_t kChimeSize = 110698;
constexpr std::size_t kDataAt = 106;
constexpr std::size_t kFrames = 27648;

TEST(Chime, HeaderFieldsLieAtTheirOffsets) {
  const Bytes wav = ChimeWav();
  ASSERT_EQ(wav.size(), kChimeSize);
  struct Field {
    std::size_t at;
    std::string id;
  };
  for (const Field& f : {Field{0, "RIFF"}, Field{8, "WAVE"}, Field{12, "fmt "}, Field{36, "LIST"},
                         Field{44, "INFO"}, Field{98, "data"}}) {
    EXPECT_EQ(Id(wav, f.at), f.id) << "at " << f.at;
  }
  struct Number {
    std::size_t at;
    int bytes;
    std::uint32_t value;
  };
  for (const Number& n :
       {Number{4, 4, 110690}, Number{16, 4, 16}, Number{20, 2, 1}, Number{22, 2, 2},
        Number{24, 4, 22050}, Number{28, 4, 88200}, Number{32, 2, 4}, Number{34, 2, 16},
        Number{40, 4, 54}, Number{102, 4, 110592}}) {
    EXPECT_EQ(n.bytes == 4 ? U32(wav, n.at) : U16(wav, n.at), n.value) << "at " << n.at;
  }
}

TEST(Chime, InfoListHoldsThreeZeroTerminatedItemsFillingItsBody) {
  const Bytes wav = ChimeWav();
  ASSERT_EQ(wav.size(), kChimeSize);
  std::vector<std::string> ids;
  std::size_t at = 48;  // after "LIST", its size and "INFO"
  const std::size_t end = 44 + 54;
  while (at + 8 <= end) {
    const std::uint32_t size = U32(wav, at + 4);
    ASSERT_GT(size, 1u);
    ASSERT_LE(at + 8 + size, end);
    EXPECT_EQ(wav[at + 8 + size - 1], 0) << Id(wav, at) << " is not zero-terminated";
    ids.push_back(Id(wav, at));
    at += 8 + size + size % 2;
  }
  EXPECT_EQ(at, end);
  EXPECT_EQ(ids, (std::vector<std::string>{"ICRD", "IGNR", "ISFT"}));
}

TEST(Chime, SoundStartsAndEndsSilentWithAPeakNearMinus3Dbfs) {
  const Bytes wav = ChimeWav();
  ASSERT_EQ(wav.size(), kChimeSize);
  const Bytes samples = wav.subspan(kDataAt);
  ASSERT_EQ(samples.size(), kFrames * 4);
  int peak = 0;
  for (std::size_t at = 0; at < samples.size(); at += 2)
    peak = std::max(peak, std::abs(int{S16(samples, at)}));
  // -2 dBFS is 26028 and -4 dBFS is 20675; a full-scale sample would be clipped.
  EXPECT_GT(peak, 20675);
  EXPECT_LT(peak, 26028);
  for (std::size_t at : {std::size_t{0}, std::size_t{2}, samples.size() - 4, samples.size() - 2}) {
    EXPECT_EQ(S16(samples, at), 0) << "sample at byte " << at << " would click";
  }
}

struct PictureCase {
  const char* name;
  Bytes png;
  std::uint32_t width;
  std::uint32_t height;
  int colourType;  // 2 RGB, 6 RGBA
};

TEST(Pictures, AreSoundPngsOfTheirSizeAndColourType) {
  std::vector<PictureCase> cases = {{"main picture", MainPicturePng(), 1072, 1500, 6},
                                    {"author picture", AuthorPicturePng(), 1500, 1500, 6},
                                    {"contact picture", ContactPicturePng(), 540, 740, 2}};
  for (int size : IconSizes()) {
    const auto side = static_cast<std::uint32_t>(size);
    cases.push_back({"icon PNG", IconPng(size), side, side, 6});
  }
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.width));
    const test::PngInfo info = test::ReadPng(c.png);
    EXPECT_EQ(info.error, "");
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    EXPECT_EQ(info.bitDepth, 8);
    EXPECT_EQ(info.colourType, c.colourType);
  }
  EXPECT_TRUE(IconPng(20).empty());
  EXPECT_TRUE(IconPng(0).empty());
}

TEST(Icon, DirectoryListsExactlyTheEightSizesAs32BitImages) {
  const Bytes ico = IconIco();
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(U16(ico, 0), 0);
  EXPECT_EQ(U16(ico, 2), 1);  // an icon, not a cursor
  ASSERT_EQ(U16(ico, 4), 8);
  ASSERT_GE(ico.size(), 6u + 8 * 16);
  std::vector<int> listed;
  for (std::size_t entry = 6; entry < 6 + 8 * 16; entry += 16) {
    EXPECT_EQ(ico[entry], ico[entry + 1]) << "not square";
    EXPECT_EQ(U16(ico, entry + 4), 1);   // planes
    EXPECT_EQ(U16(ico, entry + 6), 32);  // bits per pixel
    listed.push_back(ico[entry]);
  }
  EXPECT_EQ(listed, (std::vector<int>{16, 24, 32, 48, 64, 72, 96, 128}));
  EXPECT_EQ(listed, std::vector<int>(IconSizes().begin(), IconSizes().end()));
}

TEST(Icon, EachImageIsACompleteDibOfItsSize) {
  for (int size : IconSizes()) {
    SCOPED_TRACE(size);
    const Bytes image = IconImage(size);
    const auto side = static_cast<std::size_t>(size);
    const std::size_t maskRow = (side + 31) / 32 * 4;
    ASSERT_EQ(image.size(), 40 + side * side * 4 + maskRow * side);
    EXPECT_EQ(U32(image, 0), 40u);       // BITMAPINFOHEADER
    EXPECT_EQ(U32(image, 4), side);      // width
    EXPECT_EQ(U32(image, 8), 2 * side);  // height of colour plus mask
    EXPECT_EQ(U16(image, 14), 32);       // bits per pixel
    EXPECT_EQ(U32(image, 16), 0u);       // uncompressed
  }
  EXPECT_TRUE(IconImage(20).empty());
}

}  // namespace
}  // namespace sw
