#include "resources/resources.h"

#include "resources/embedded_data.h"
#include "resources/icon_directory.h"

namespace sw {

using Bytes = std::span<const std::uint8_t>;

Bytes IconIco() {
  return {embedded::kIconIco, embedded::kIconIcoSize};
}

std::span<const int> IconSizes() {
  static constexpr int kSizes[] = {16, 24, 32, 48, 64, 72, 96, 128};
  return kSizes;
}

Bytes IconPng(int size) {
  switch (size) {
    case 16:
      return {embedded::kIcon16Png, embedded::kIcon16PngSize};
    case 24:
      return {embedded::kIcon24Png, embedded::kIcon24PngSize};
    case 32:
      return {embedded::kIcon32Png, embedded::kIcon32PngSize};
    case 48:
      return {embedded::kIcon48Png, embedded::kIcon48PngSize};
    case 64:
      return {embedded::kIcon64Png, embedded::kIcon64PngSize};
    case 72:
      return {embedded::kIcon72Png, embedded::kIcon72PngSize};
    case 96:
      return {embedded::kIcon96Png, embedded::kIcon96PngSize};
    case 128:
      return {embedded::kIcon128Png, embedded::kIcon128PngSize};
    default:
      return {};
  }
}

Bytes IconImage(int size) {
  return FindIconImage(IconIco(), size);
}

Bytes MainPicturePng() {
  return {embedded::kMainPicturePng, embedded::kMainPicturePngSize};
}
Bytes AuthorPicturePng() {
  return {embedded::kAuthorPicturePng, embedded::kAuthorPicturePngSize};
}
Bytes ContactPicturePng() {
  return {embedded::kContactPicturePng, embedded::kContactPicturePngSize};
}
Bytes ChimeWav() {
  return {embedded::kChimeWav, embedded::kChimeWavSize};
}

}  // namespace sw
