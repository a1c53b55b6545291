// One playback of one sound on the default waveOut device, on a worker thread of
// its own.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "watcher/wav.h"

namespace sw {

class WaveOutPlayer {
 public:
  // Starts the worker, which opens the device, plays the samples once (or until
  // stopped, when looping) and closes the device. No device means the worker just ends.
  WaveOutPlayer(WavSound sound, bool loop);
  ~WaveOutPlayer();  // stops the sound and waits for the worker
  WaveOutPlayer(const WaveOutPlayer&) = delete;
  WaveOutPlayer& operator=(const WaveOutPlayer&) = delete;

  // Asks the worker to cut the sound short; returns without waiting.
  void Stop();
  // True once the worker has closed the device and is about to end.
  bool Finished() const { return finished_.load(); }

 private:
  struct CloseHandleDeleter {
    void operator()(void* handle) const;
  };

  void Run();

  const WavSound sound_;
  const bool loop_;
  std::unique_ptr<void, CloseHandleDeleter> stopEvent_;
  std::atomic<bool> finished_{false};
  std::thread worker_;  // last member: it starts once everything it uses exists
};

}  // namespace sw
