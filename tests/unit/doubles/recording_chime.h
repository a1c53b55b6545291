// A chime player that keeps a copy of every sound it was asked to play.
#pragma once

#include <vector>

#include "tests/unit/doubles/journal.h"
#include "watcher/chime.h"

namespace sw::testing {

struct PlayedSound {
  ByteSet sound;
  bool loop = false;
};

class RecordingChime final : public ChimePlayer {
 public:
  void PlaySoundData(const ByteSet& sound, bool loop) override {
    played.push_back({sound, loop});
    NoteTo(journal, "chime");
  }
  void StopAll() override {
    ++stopAllCalls;
    NoteTo(journal, "stop chimes");
  }

  std::vector<PlayedSound> played;
  int stopAllCalls = 0;
  Journal* journal = nullptr;  // gets "chime" and "stop chimes"
};

}  // namespace sw::testing
