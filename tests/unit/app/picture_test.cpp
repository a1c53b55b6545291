#include "app/picture.h"

#include <gtest/gtest.h>

#include "resources/resources.h"

namespace sw {
namespace {

TEST(PlacePicture, FitAndCentreScalesLargePicturesAndCentresWithOffsetsRoundedDown) {
  const struct {
    int boxW, boxH, picW, picH;
    PictureRect expected;
  } cases[] = {
      {320, 408, 540, 740, {11, 0, 297, 408}},  // the contact picture in its box
      {100, 100, 40, 20, {30, 40, 40, 20}},     // fits: own size, centred
      {101, 101, 40, 20, {30, 40, 40, 20}},     // odd remainder rounds down
      {100, 50, 400, 100, {0, 12, 100, 25}},    // wider than tall: width fills
      {64, 64, 64, 64, {0, 0, 64, 64}},
      {10, 10, 3000, 1, {0, 5, 10, 0}},         // a sliver stays inside the box
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlacePicture(PictureMode::kFitAndCentre, c.boxW, c.boxH, c.picW, c.picH), c.expected)
        << c.boxW << "x" << c.boxH << " " << c.picW << "x" << c.picH;
  }
  EXPECT_EQ(PlacePicture(PictureMode::kStretch, 72, 112, 1072, 1500), (PictureRect{0, 0, 72, 112}));
}

TEST(DecodePng, ReadsTheProgramsPicturesAtTheirSizes) {
  const struct {
    std::span<const std::uint8_t> png;
    int width, height;
  } pictures[] = {{MainPicturePng(), 1072, 1500},
                  {AuthorPicturePng(), 1500, 1500},
                  {ContactPicturePng(), 540, 740}};
  for (const auto& p : pictures) {
    const auto picture = DecodePng(p.png);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, p.width);
    EXPECT_EQ(picture->height, p.height);
    EXPECT_EQ(picture->rgba.size(), std::size_t(p.width) * p.height * 4);
  }
  // The contact picture has no alpha channel: every pixel comes out opaque.
  const auto contact = DecodePng(ContactPicturePng());
  for (std::size_t i = 3; i < contact->rgba.size(); i += 4 * 997) EXPECT_EQ(contact->rgba[i], 255);
}

TEST(DecodePng, RefusesWhatIsNotACompletePng) {
  const std::span<const std::uint8_t> main = MainPicturePng();
  std::vector<std::uint8_t> truncated(main.begin(), main.begin() + main.size() / 2);
  std::vector<std::uint8_t> corrupted(main.begin(), main.end());
  for (std::size_t i = 100; i < corrupted.size(); i += 50) corrupted[i] ^= 0x5A;
  const std::vector<std::uint8_t> garbage{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
  EXPECT_FALSE(DecodePng({}).has_value());
  EXPECT_FALSE(DecodePng(garbage).has_value());
  EXPECT_FALSE(DecodePng(truncated).has_value());
  EXPECT_FALSE(DecodePng(corrupted).has_value());
}

}  // namespace
}  // namespace sw
