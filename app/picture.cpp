#include "app/picture.h"

#include <png.h>

#include <cstring>

#include "resources/resources.h"

namespace sw {
namespace {
// Larger pictures than this are refused rather than allocated.
constexpr std::uint64_t kMaxPixels = 64u * 1024u * 1024u;
}  // namespace

std::span<const std::uint8_t> PicturePng(PictureId id) {
  switch (id) {
    case PictureId::kMainPicture:
      return MainPicturePng();
    case PictureId::kAuthorPicture:
      return AuthorPicturePng();
    case PictureId::kContactPicture:
      return ContactPicturePng();
    case PictureId::kNone:
      break;
  }
  return {};
}

std::optional<Picture> DecodePng(std::span<const std::uint8_t> png) {
  if (png.empty()) return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) {
    return std::nullopt;
  }
  if (image.width == 0 || image.height == 0 ||
      std::uint64_t{image.width} * image.height > kMaxPixels) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  Picture picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgba.resize(PNG_IMAGE_SIZE(image));
  // finish_read frees the image's resources whether it succeeds or not.
  if (png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) == 0) {
    return std::nullopt;
  }
  return picture;
}

PictureRect PlacePicture(PictureMode mode, int boxWidth, int boxHeight, int pictureWidth,
                         int pictureHeight) {
  if (mode == PictureMode::kStretch || pictureWidth <= 0 || pictureHeight <= 0) {
    return {0, 0, boxWidth, boxHeight};
  }
  int width = pictureWidth;
  int height = pictureHeight;
  if (width > boxWidth || height > boxHeight) {
    // Scaled by the smaller ratio, in exact integer arithmetic so the side that fills the
    // box is never a pixel short through rounding.
    const std::int64_t byWidth = std::int64_t{boxWidth} * pictureHeight;
    const std::int64_t byHeight = std::int64_t{boxHeight} * pictureWidth;
    if (byWidth <= byHeight) {
      width = boxWidth;
      height = static_cast<int>(byWidth / pictureWidth);
    } else {
      height = boxHeight;
      width = static_cast<int>(byHeight / pictureHeight);
    }
  }
  // Offsets rounded down, also when the picture is wider than an odd-sized box allows.
  const auto floorHalf = [](int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
  return {floorHalf(boxWidth - width), floorHalf(boxHeight - height), width, height};
}

}  // namespace sw
