// The program's own chime goes through the WAV parser whole, and rearranging its
// chunks does not change what is played.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "resources/resources.h"
#include "watcher/wav.h"

namespace sw {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The chime's chunks as laid out: "fmt " at 12, "LIST" at 36, "data" at 98.
struct ChimeChunks {
  Bytes riffHeader, format, list, data;
};

ChimeChunks SplitChime() {
  const auto wav = ChimeWav();
  const auto piece = [&](std::size_t from, std::size_t to) {
    return Bytes(wav.begin() + static_cast<long>(from), wav.begin() + static_cast<long>(to));
  };
  return {piece(0, 12), piece(12, 36), piece(36, 98), piece(98, wav.size())};
}

ByteSet Join(std::initializer_list<const Bytes*> parts) {
  Bytes out;
  for (const Bytes* part : parts) out.insert(out.end(), part->begin(), part->end());
  return ByteSet(std::move(out));
}

TEST(ChimeResourceTest, ParsesAsTwentySevenThousandFramesOfStereoPcm) {
  const auto wav = ChimeWav();
  ASSERT_EQ(wav.size(), 110698U);
  const std::optional<WavSound> sound = ParseWav(ByteSet(wav.data(), wav.size()));
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->format.samplesPerSecond, 22050U);
  EXPECT_EQ(sound->format.channels, 2);
  EXPECT_EQ(sound->format.bitsPerSample, 16);
  EXPECT_EQ(sound->samples.size(), 27648U * 4);
  EXPECT_TRUE(std::equal(sound->samples.begin(), sound->samples.end(), wav.begin() + 106));
}

TEST(ChimeResourceTest, SameSamplesWithoutTheListChunkOrWithDataFirst) {
  const ChimeChunks c = SplitChime();
  ASSERT_EQ(std::string_view(reinterpret_cast<const char*>(c.list.data()), 4), "LIST");
  const std::optional<WavSound> original =
      ParseWav(Join({&c.riffHeader, &c.format, &c.list, &c.data}));
  ASSERT_TRUE(original.has_value());
  for (const ByteSet& variant : {Join({&c.riffHeader, &c.format, &c.data}),
                                 Join({&c.riffHeader, &c.data, &c.list, &c.format})}) {
    const std::optional<WavSound> sound = ParseWav(variant);
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->samples, original->samples);
  }
}

}  // namespace
}  // namespace sw
