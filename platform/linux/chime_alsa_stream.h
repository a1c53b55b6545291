// Streaming one parsed WAV to one ALSA device, from start to end (or to a stop).
#pragma once

#include <atomic>
#include <string>

#include "watcher/wav.h"

namespace sw {

// Opens the device, plays the samples once (over and over when looping) and closes
// it. Returns early, dropping what is queued, once `stop` becomes true. A missing
// device or a format it refuses plays nothing.
void StreamToAlsa(const std::string& device, const WavSound& sound, bool loop,
                  const std::atomic<bool>& stop);

}  // namespace sw
