// The chime on Linux: each request gets its own thread and its own ALSA playback
// handle, so chimes overlap and the sound server (or dmix) mixes them.
#pragma once

#include <atomic>
#include <list>
#include <memory>
#include <string>
#include <thread>

#include "watcher/chime.h"
#include "watcher/wav.h"

namespace sw {

class AlsaChimePlayer final : public ChimePlayer {
 public:
  // The ALSA device each player opens; "default" mixes on desktops with PulseAudio,
  // PipeWire or dmix.
  explicit AlsaChimePlayer(std::string device = "default");
  ~AlsaChimePlayer() override;
  AlsaChimePlayer(const AlsaChimePlayer&) = delete;
  AlsaChimePlayer& operator=(const AlsaChimePlayer&) = delete;

  void PlaySoundData(const ByteSet& sound, bool loop) override;
  void StopAll() override;

 private:
  struct Player {
    std::atomic<bool> finished{false};
    std::thread thread;
  };
  void ReapFinished();

  std::string device_;
  std::atomic<bool> stopping_{false};
  std::list<std::unique_ptr<Player>> players_;
};

}  // namespace sw
