// Builds RIFF/WAVE byte sets for the chime tests: 16-bit PCM with a chosen chunk layout.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/byte_set.h"

namespace sw::test {

enum class WavLayout { kFmtListData, kFmtData, kDataListFmt };

inline void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

inline void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Stereo 16-bit PCM at 22050 frames per second, wrapped in the given layout.
inline ByteSet StereoWav(const std::vector<std::uint8_t>& samples,
                         WavLayout layout = WavLayout::kFmtListData) {
  std::vector<std::uint8_t> fmt;
  PutTag(fmt, "fmt ");
  PutLittle(fmt, 16, 4);
  PutLittle(fmt, 1, 2);      // PCM
  PutLittle(fmt, 2, 2);      // channels
  PutLittle(fmt, 22050, 4);  // frames per second
  PutLittle(fmt, 88200, 4);  // bytes per second
  PutLittle(fmt, 4, 2);      // bytes per frame
  PutLittle(fmt, 16, 2);     // bits per sample
  std::vector<std::uint8_t> list;
  PutTag(list, "LIST");
  PutLittle(list, 12, 4);
  PutTag(list, "INFOISFT");
  PutLittle(list, 0, 4);
  std::vector<std::uint8_t> data;
  PutTag(data, "data");
  PutLittle(data, static_cast<std::uint32_t>(samples.size()), 4);
  data.insert(data.end(), samples.begin(), samples.end());

  std::vector<std::vector<std::uint8_t>> chunks;
  switch (layout) {
    case WavLayout::kFmtListData:
      chunks = {fmt, list, data};
      break;
    case WavLayout::kFmtData:
      chunks = {fmt, data};
      break;
    case WavLayout::kDataListFmt:
      chunks = {data, list, fmt};
      break;
  }
  std::vector<std::uint8_t> body;
  PutTag(body, "WAVE");
  for (const auto& chunk : chunks) body.insert(body.end(), chunk.begin(), chunk.end());
  std::vector<std::uint8_t> out;
  PutTag(out, "RIFF");
  PutLittle(out, static_cast<std::uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return ByteSet(std::move(out));
}

// Frames whose left and right samples count up from first (wrapping at 16 bits), so
// every frame of a short sound differs from its neighbours and order shows.
inline std::vector<std::uint8_t> RampSamples(int frames, std::uint16_t first = 1) {
  std::vector<std::uint8_t> samples;
  for (int i = 0; i < frames; ++i) {
    const auto left = static_cast<std::uint16_t>(first + i);
    const auto right = static_cast<std::uint16_t>(~left);
    PutLittle(samples, left, 2);
    PutLittle(samples, right, 2);
  }
  return samples;
}

// Every frame the same: left and right both `value`.
inline std::vector<std::uint8_t> ConstantSamples(int frames, std::uint16_t value) {
  std::vector<std::uint8_t> samples;
  for (int i = 0; i < frames; ++i) {
    PutLittle(samples, value, 2);
    PutLittle(samples, value, 2);
  }
  return samples;
}

}  // namespace sw::test
