#include "platform/win32/chime_waveout.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/win32/chime_waveout_player.h"

namespace sw {

WaveOutChimePlayer::WaveOutChimePlayer() = default;

WaveOutChimePlayer::~WaveOutChimePlayer() {
  StopAll();
}

void WaveOutChimePlayer::PlaySoundData(const ByteSet& sound, bool loop) {
  ReapFinished();
  std::optional<WavSound> wav = ParseWav(sound);
  if (!wav || wav->samples.empty()) return;  // nothing playable: nothing to start
  std::unique_ptr<WaveOutPlayer> player;
  try {
    player = std::make_unique<WaveOutPlayer>(std::move(*wav), loop);
  } catch (const std::system_error&) {
    return;  // no thread to be had: this chime stays silent, the caller goes on
  }
  std::lock_guard<std::mutex> lock(mutex_);
  players_.push_back(std::move(player));
}

void WaveOutChimePlayer::StopAll() {
  std::vector<std::unique_ptr<WaveOutPlayer>> stopping;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping.swap(players_);
  }
  // Signal all first so the sounds stop together, then wait for each worker.
  for (auto& player : stopping) player->Stop();
  stopping.clear();
}

void WaveOutChimePlayer::ReapFinished() {
  std::vector<std::unique_ptr<WaveOutPlayer>> finished;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto firstFinished = std::stable_partition(
        players_.begin(), players_.end(), [](const auto& player) { return !player->Finished(); });
    std::move(firstFinished, players_.end(), std::back_inserter(finished));
    players_.erase(firstFinished, players_.end());
  }
  finished.clear();  // joins workers that have already ended: no wait worth the name
}

int WaveOutChimePlayer::PlayerCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(players_.size());
}

int WaveOutChimePlayer::RunningCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(std::count_if(players_.begin(), players_.end(),
                                        [](const auto& player) { return !player->Finished(); }));
}

}  // namespace sw
