#pragma once
// The embedded files' bytes. Each pair is defined in a source that the build
// generates from the file in resources/ (see embed_file.cmake).
#include <cstddef>
#include <cstdint>

namespace sw::embedded {

extern const std::uint8_t kIconIco[];
extern const std::size_t kIconIcoSize;
extern const std::uint8_t kIcon16Png[];
extern const std::size_t kIcon16PngSize;
extern const std::uint8_t kIcon24Png[];
extern const std::size_t kIcon24PngSize;
extern const std::uint8_t kIcon32Png[];
extern const std::size_t kIcon32PngSize;
extern const std::uint8_t kIcon48Png[];
extern const std::size_t kIcon48PngSize;
extern const std::uint8_t kIcon64Png[];
extern const std::size_t kIcon64PngSize;
extern const std::uint8_t kIcon72Png[];
extern const std::size_t kIcon72PngSize;
extern const std::uint8_t kIcon96Png[];
extern const std::size_t kIcon96PngSize;
extern const std::uint8_t kIcon128Png[];
extern const std::size_t kIcon128PngSize;
extern const std::uint8_t kMainPicturePng[];
extern const std::size_t kMainPicturePngSize;
extern const std::uint8_t kAuthorPicturePng[];
extern const std::size_t kAuthorPicturePngSize;
extern const std::uint8_t kContactPicturePng[];
extern const std::size_t kContactPicturePngSize;
extern const std::uint8_t kChimeWav[];
extern const std::size_t kChimeWavSize;

}  // namespace sw::embedded
