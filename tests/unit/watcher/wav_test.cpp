// Taking WAV bytes apart: the chunk walk, its choices for damaged files, and the
// format checks. Each input is built with its exact size, so a read past the end
// shows under AddressSanitizer.
#include "watcher/wav.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sw {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void PutId(Bytes& out, const char* id) {
  out.insert(out.end(), id, id + 4);
}

struct Chunk {
  Chunk(const char* chunkId, Bytes chunkBody, std::optional<std::uint32_t> declared = std::nullopt,
        bool withPad = true)
      : id(chunkId), body(std::move(chunkBody)), declaredSize(declared), padded(withPad) {}
  const char* id;
  Bytes body;
  std::optional<std::uint32_t> declaredSize;  // the body's size when not given
  bool padded;                                // a pad byte after an odd body
};

// 22050 Hz stereo 16-bit PCM, as the chime is.
Bytes PcmFormat(unsigned tag = 1, unsigned channels = 2, unsigned bits = 16, unsigned align = 4) {
  Bytes body;
  PutU16(body, tag);
  PutU16(body, channels);
  PutU32(body, 22050);
  PutU32(body, 22050 * align);
  PutU16(body, align);
  PutU16(body, bits);
  return body;
}

Bytes Samples(std::size_t count) {
  Bytes samples(count);
  for (std::size_t i = 0; i < count; ++i) samples[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return samples;
}

ByteSet Wav(const std::vector<Chunk>& chunks, const char* riff = "RIFF",
            const char* form = "WAVE") {
  Bytes out;
  PutId(out, riff);
  PutU32(out, 0);  // patched below
  PutId(out, form);
  for (const Chunk& chunk : chunks) {
    PutId(out, chunk.id);
    PutU32(out, chunk.declaredSize.value_or(static_cast<std::uint32_t>(chunk.body.size())));
    out.insert(out.end(), chunk.body.begin(), chunk.body.end());
    if (chunk.padded && chunk.body.size() % 2 == 1) out.push_back(0);
  }
  const auto riffSize = static_cast<std::uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
  return ByteSet(std::move(out));
}

Chunk List() {
  return {"LIST", Bytes{'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 2, 0, 0, 0, 'x', 0}};
}

ByteSet Truncated(const ByteSet& data, std::size_t size) {
  return ByteSet(Bytes(data.bytes().begin(), data.bytes().begin() + static_cast<long>(size)));
}

TEST(ParseWavTest, ReadsFormatAndSamplesWhateverTheChunkOrder) {
  const Bytes samples = Samples(64);
  Bytes extendedFormat = PcmFormat();
  PutU16(extendedFormat, 0);  // a size field for extra format bytes: none
  const struct {
    const char* name;
    ByteSet data;
  } cases[] = {
      {"fmt, LIST, data", Wav({{"fmt ", PcmFormat()}, List(), {"data", samples}})},
      {"fmt, data", Wav({{"fmt ", PcmFormat()}, {"data", samples}})},
      {"data before fmt", Wav({{"data", samples}, List(), {"fmt ", PcmFormat()}})},
      {"odd-sized chunk with its pad byte",
       Wav({{"fmt ", PcmFormat()}, {"odd ", Bytes{1, 2, 3}}, {"data", samples}})},
      {"fmt with an extension", Wav({{"fmt ", extendedFormat}, {"data", samples}})},
      {"a second data chunk is ignored",
       Wav({{"fmt ", PcmFormat()}, {"data", samples}, {"data", Samples(8)}})},
      {"trailing bytes after the last chunk",
       ConcatBytes(Wav({{"fmt ", PcmFormat()}, {"data", samples}}), ByteSet{1, 2, 3})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<WavSound> sound = ParseWav(c.data);
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->samples, samples);
    EXPECT_EQ(sound->format.formatTag, 1);
    EXPECT_EQ(sound->format.channels, 2);
    EXPECT_EQ(sound->format.samplesPerSecond, 22050U);
    EXPECT_EQ(sound->format.bytesPerSecond, 88200U);
    EXPECT_EQ(sound->format.blockAlign, 4);
    EXPECT_EQ(sound->format.bitsPerSample, 16);
  }
}

TEST(ParseWavTest, SamplesAreACopyThatOutlivesTheCallersBytes) {
  std::optional<WavSound> sound;
  {
    const ByteSet data = Wav({{"fmt ", PcmFormat()}, {"data", Samples(40)}});
    sound = ParseWav(data);
  }
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->samples, Samples(40));
}

TEST(ParseWavTest, ATruncatedDataChunkPlaysTheWholeFramesThatArePresent) {
  // Declares 400 bytes but carries 42: ten whole 4-byte frames and half of one.
  const ByteSet data = Wav({{"fmt ", PcmFormat()}, {"data", Samples(42), 400}});
  const std::optional<WavSound> sound = ParseWav(data);
  ASSERT_TRUE(sound.has_value());
  const Bytes present = Samples(42);
  EXPECT_EQ(sound->samples, Bytes(present.begin(), present.begin() + 40));
}

TEST(ParseWavTest, RejectsWhatCannotBePlayed) {
  const Bytes samples = Samples(16);
  const Bytes format = PcmFormat();
  const ByteSet good = Wav({{"fmt ", PcmFormat()}, {"data", samples}});
  const struct {
    const char* name;
    ByteSet data;
  } cases[] = {
      {"empty", ByteSet()},
      {"eleven bytes", Truncated(good, 11)},
      {"header only", Truncated(good, 12)},
      {"not RIFF", Wav({{"fmt ", PcmFormat()}, {"data", samples}}, "RIFX")},
      {"not WAVE", Wav({{"fmt ", PcmFormat()}, {"data", samples}}, "RIFF", "AVI ")},
      {"no fmt", Wav({List(), {"data", samples}})},
      {"no data", Wav({{"fmt ", PcmFormat()}, List()})},
      {"empty data", Wav({{"fmt ", PcmFormat()}, {"data", {}}})},
      {"less than one frame of data", Wav({{"fmt ", PcmFormat()}, {"data", Samples(3)}})},
      {"fmt shorter than 16 bytes",
       Wav({{"fmt ", Bytes(format.begin(), format.begin() + 14)}, {"data", samples}})},
      {"fmt running past the end", Wav({{"fmt ", PcmFormat(), 200}})},
      {"skipped chunk running past the data",
       Wav({{"fmt ", PcmFormat()}, {"LIST", Bytes{1, 2}, 500}, {"data", samples}})},
      {"chunk size near 2^32",
       Wav({{"fmt ", PcmFormat()}, {"junk", Bytes{1, 2}, 0xFFFFFFFF}, {"data", samples}})},
      {"data before a truncated fmt", Wav({{"data", samples}, {"fmt ", Bytes{1, 0, 2}, 16}})},
      {"IEEE float", Wav({{"fmt ", PcmFormat(3, 2, 32, 8)}, {"data", samples}})},
      {"extensible format", Wav({{"fmt ", PcmFormat(0xFFFE)}, {"data", samples}})},
      {"no channels", Wav({{"fmt ", PcmFormat(1, 0, 16, 0)}, {"data", samples}})},
      {"12-bit samples", Wav({{"fmt ", PcmFormat(1, 2, 12, 4)}, {"data", samples}})},
      {"block align not channels x sample bytes",
       Wav({{"fmt ", PcmFormat(1, 2, 16, 3)}, {"data", samples}})},
      {"odd chunk without its pad byte",
       Wav({{"fmt ", PcmFormat()}, {"odd ", Bytes{1, 2, 3}, {}, false}, {"data", samples}})},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ParseWav(c.data).has_value()) << c.name;
  }
}

TEST(ParseWavTest, EveryPrefixOfAFileIsHandledSafely) {
  const ByteSet whole = Wav({{"fmt ", PcmFormat()}, List(), {"data", Samples(64)}});
  const std::size_t firstSamples = whole.bytes().size() - 64;
  for (std::size_t size = 0; size <= whole.bytes().size(); ++size) {
    const std::optional<WavSound> sound = ParseWav(Truncated(whole, size));
    const std::size_t frames = size > firstSamples ? (size - firstSamples) / 4 : 0;
    ASSERT_EQ(sound.has_value(), frames > 0) << size;
    if (sound) {
      EXPECT_EQ(sound->samples.size(), frames * 4) << size;
    }
  }
}

}  // namespace
}  // namespace sw
