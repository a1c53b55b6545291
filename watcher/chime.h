// Playing a WAV from memory, asynchronously. Backends: platform/<os>/chime_*.
#pragma once

#include "base/byte_set.h"

namespace sw {

class ChimePlayer {
 public:
  virtual ~ChimePlayer() = default;
  // Starts an independent player for the sound and returns at once. The caller's bytes
  // are not used after the return. Anything that is not playable PCM WAV, or a missing
  // device, plays nothing.
  virtual void PlaySoundData(const ByteSet& sound, bool loop) = 0;
  // Stops every player that is still running and waits until each has ended.
  virtual void StopAll() = 0;
};

}  // namespace sw
