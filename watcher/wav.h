// Taking a RIFF/WAVE byte set apart into its format and its samples (portable).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_set.h"

namespace sw {

struct WavFormat {
  std::uint16_t formatTag = 0;  // 1 is PCM
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSecond = 0;
  std::uint32_t bytesPerSecond = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
};

struct WavSound {
  WavFormat format;
  std::vector<std::uint8_t> samples;  // a copy: the caller's bytes are free afterwards
};

// The format ("fmt ") and samples ("data") chunks in either order, other chunks skipped.
// Nothing when the data is not RIFF/WAVE or a needed chunk is missing or malformed.
std::optional<WavSound> ParseWav(const ByteSet& data);

}  // namespace sw
