// Parsing WAV bytes of any shape. A sound, when one comes back, has a playable PCM
// format and a whole number of frames taken from the input itself.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "watcher/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using sw::fuzz::Require;
  const sw::ByteSet bytes(data, size);
  const std::optional<sw::WavSound> sound = sw::ParseWav(bytes);
  if (!sound) return 0;
  const sw::WavFormat& format = sound->format;
  Require(format.formatTag == 1 && format.channels > 0 && format.samplesPerSecond > 0,
          "only PCM with channels and a rate is accepted");
  Require(format.blockAlign == format.channels * (format.bitsPerSample / 8),
          "the block alignment matches the channels");
  const std::vector<std::uint8_t>& samples = sound->samples;
  Require(!samples.empty() && samples.size() % format.blockAlign == 0,
          "a whole number of frames, at least one");
  Require(samples.size() + 44 <= size, "the samples fit inside the input with the headers");
  bool found = false;
  for (std::size_t at = 12; !found && at + samples.size() <= size; ++at) {
    found = std::memcmp(data + at, samples.data(), samples.size()) == 0;
  }
  Require(found, "the samples are bytes of the input");
  return 0;
}
