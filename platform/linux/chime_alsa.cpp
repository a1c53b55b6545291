#include "platform/linux/chime_alsa.h"

#include <system_error>
#include <utility>

#include "platform/linux/chime_alsa_stream.h"

namespace sw {

AlsaChimePlayer::AlsaChimePlayer(std::string device) : device_(std::move(device)) {}

AlsaChimePlayer::~AlsaChimePlayer() {
  StopAll();
}

void AlsaChimePlayer::PlaySoundData(const ByteSet& sound, bool loop) {
  ReapFinished();
  std::optional<WavSound> wav = ParseWav(sound);  // a copy the player owns
  if (!wav) return;
  auto player = std::make_unique<Player>();
  Player* self = player.get();
  try {
    player->thread =
        std::thread([device = device_, wav = std::move(*wav), loop, self, &stop = stopping_] {
          StreamToAlsa(device, wav, loop, stop);
          self->finished = true;
        });
  } catch (const std::system_error&) {
    return;  // no thread to be had: the chime is skipped, like a missing device
  }
  players_.push_back(std::move(player));
}

void AlsaChimePlayer::StopAll() {
  stopping_ = true;
  for (auto& player : players_) player->thread.join();
  players_.clear();
  stopping_ = false;
}

void AlsaChimePlayer::ReapFinished() {
  std::erase_if(players_, [](std::unique_ptr<Player>& player) {
    if (!player->finished) return false;
    player->thread.join();
    return true;
  });
}

}  // namespace sw
