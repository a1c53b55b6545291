// Playing WAV sounds from memory on the default waveOut device: one player, with its
// own copy of the samples, device handle and worker thread, per request.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "watcher/chime.h"

namespace sw {

class WaveOutPlayer;

class WaveOutChimePlayer final : public ChimePlayer {
 public:
  WaveOutChimePlayer();
  ~WaveOutChimePlayer() override;  // stops and waits for every player
  WaveOutChimePlayer(const WaveOutChimePlayer&) = delete;
  WaveOutChimePlayer& operator=(const WaveOutChimePlayer&) = delete;

  void PlaySoundData(const ByteSet& sound, bool loop) override;
  void StopAll() override;

  // Players started and not yet reaped: finished ones go at the next request.
  int PlayerCount() const;
  // Players whose sound is still going (or that are still opening their device).
  int RunningCount() const;

 private:
  void ReapFinished();

  mutable std::mutex mutex_;  // guards players_ against calls from different threads
  std::vector<std::unique_ptr<WaveOutPlayer>> players_;
};

}  // namespace sw
