// RIFF/WAVE parsing. Every read is checked against the bytes that exist, so a
// damaged or hostile file gives "nothing to play" and never a read past the end.
//
// Choices where real files differ:
// - A chunk of odd size is followed by one pad byte, as RIFF prescribes.
// - A "data" chunk whose size runs past the end of the bytes (a truncated file)
//   plays the sample frames that are there; a partial last frame is dropped.
// - The RIFF size field is not trusted: the walk ends at the end of the bytes.
// - The first "fmt " and the first "data" chunk count; later ones are ignored.
#include "watcher/wav.h"

#include <cstddef>
#include <string_view>

namespace sw {
namespace {

constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kFirstChunkOffset = 12;
constexpr std::size_t kMinimumFormatSize = 16;
constexpr std::uint16_t kFormatPcm = 1;

std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool HasId(const std::uint8_t* p, std::string_view id) {
  return std::string_view(reinterpret_cast<const char*>(p), 4) == id;
}

// Only formats an output device can be opened with: PCM with whole-byte samples and
// a block alignment that matches the channels.
std::optional<WavFormat> ReadPcmFormat(const std::uint8_t* body) {
  WavFormat format;
  format.formatTag = ReadU16(body);
  format.channels = ReadU16(body + 2);
  format.samplesPerSecond = ReadU32(body + 4);
  format.bytesPerSecond = ReadU32(body + 8);
  format.blockAlign = ReadU16(body + 12);
  format.bitsPerSample = ReadU16(body + 14);
  const unsigned bits = format.bitsPerSample;
  const bool wholeBytes = bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (format.formatTag != kFormatPcm || format.channels == 0 || format.samplesPerSecond == 0 ||
      !wholeBytes || format.blockAlign != format.channels * (bits / 8)) {
    return std::nullopt;
  }
  return format;
}

}  // namespace

std::optional<WavSound> ParseWav(const ByteSet& data) {
  const std::uint8_t* bytes = data.bytes().data();
  const std::size_t size = data.bytes().size();
  if (size < kFirstChunkOffset || !HasId(bytes, "RIFF") || !HasId(bytes + 8, "WAVE")) {
    return std::nullopt;
  }

  std::optional<WavFormat> format;
  const std::uint8_t* samples = nullptr;
  std::size_t sampleBytes = 0;
  bool formatSeen = false;
  bool dataSeen = false;

  std::size_t offset = kFirstChunkOffset;
  while (size - offset >= kChunkHeaderSize && !(formatSeen && dataSeen)) {
    const std::uint8_t* header = bytes + offset;
    const std::size_t declared = ReadU32(header + 4);
    const std::size_t bodyOffset = offset + kChunkHeaderSize;
    const std::size_t available = size - bodyOffset;
    if (HasId(header, "fmt ") && !formatSeen) {
      formatSeen = true;
      if (declared < kMinimumFormatSize || declared > available) return std::nullopt;
      format = ReadPcmFormat(bytes + bodyOffset);
      if (!format) return std::nullopt;
    } else if (HasId(header, "data") && !dataSeen) {
      dataSeen = true;
      samples = bytes + bodyOffset;
      sampleBytes = declared < available ? declared : available;
    }
    if (declared >= available) break;  // this chunk reaches the end: nothing follows
    offset = bodyOffset + declared + (declared & 1U);
    if (offset > size) break;
  }

  if (!format || !dataSeen) return std::nullopt;
  sampleBytes -= sampleBytes % format->blockAlign;
  if (sampleBytes == 0) return std::nullopt;
  WavSound sound;
  sound.format = *format;
  sound.samples.assign(samples, samples + sampleBytes);
  return sound;
}

}  // namespace sw
