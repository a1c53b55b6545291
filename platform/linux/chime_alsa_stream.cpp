#include "platform/linux/chime_alsa_stream.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

namespace sw {
namespace {

// The device's buffer: bounds how long draining at the end or dropping on a stop takes.
constexpr unsigned kLatencyMicroseconds = 100000;
constexpr snd_pcm_uframes_t kFramesPerWrite = 1024;
// Consecutive failed writes after which the device is taken as gone.
constexpr int kMaxFailedWrites = 8;
constexpr int kWaitMilliseconds = 100;
constexpr std::uint16_t kPcmFormatTag = 1;

struct PcmClose {
  void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using PcmHandle = std::unique_ptr<snd_pcm_t, PcmClose>;

std::optional<snd_pcm_format_t> SampleFormat(const WavFormat& f) {
  if (f.formatTag != kPcmFormatTag || f.channels == 0 || f.samplesPerSecond == 0) {
    return std::nullopt;
  }
  const unsigned bytesPerSample = f.blockAlign / f.channels;
  if (bytesPerSample * f.channels != f.blockAlign) return std::nullopt;
  switch (f.bitsPerSample) {
    case 8:
      if (bytesPerSample == 1) return SND_PCM_FORMAT_U8;
      break;
    case 16:
      if (bytesPerSample == 2) return SND_PCM_FORMAT_S16_LE;
      break;
    case 24:
      if (bytesPerSample == 3) return SND_PCM_FORMAT_S24_3LE;
      break;
    case 32:
      if (bytesPerSample == 4) return SND_PCM_FORMAT_S32_LE;
      break;
    default:
      break;
  }
  return std::nullopt;
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// A machine without sound is normal for this program: ALSA's complaints about it
// would only clutter the terminal.
void QuietAlsaErrors() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(&IgnoreAlsaError); });
}

// Writes every frame once; false when stopped or when the device fails for good.
bool WriteAll(snd_pcm_t* pcm, const WavSound& sound, snd_pcm_uframes_t frames,
              const std::atomic<bool>& stop) {
  const std::size_t frameBytes = sound.format.blockAlign;
  snd_pcm_uframes_t done = 0;
  int failures = 0;
  while (done < frames) {
    if (stop.load()) return false;
    const snd_pcm_uframes_t chunk = std::min(kFramesPerWrite, frames - done);
    const snd_pcm_sframes_t written =
        snd_pcm_writei(pcm, sound.samples.data() + done * frameBytes, chunk);
    if (written > 0) {
      done += static_cast<snd_pcm_uframes_t>(written);
      failures = 0;
      continue;
    }
    if (++failures > kMaxFailedWrites) return false;
    if (written == 0) {
      snd_pcm_wait(pcm, kWaitMilliseconds);
    } else if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) {
      return false;  // not an underrun or a suspend: the device is gone
    }
  }
  return true;
}

}  // namespace

void StreamToAlsa(const std::string& device, const WavSound& sound, bool loop,
                  const std::atomic<bool>& stop) {
  const std::optional<snd_pcm_format_t> format = SampleFormat(sound.format);
  if (!format) return;
  const snd_pcm_uframes_t frames = sound.samples.size() / sound.format.blockAlign;
  if (frames == 0) return;

  QuietAlsaErrors();
  snd_pcm_t* opened = nullptr;
  if (snd_pcm_open(&opened, device.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) return;
  PcmHandle pcm(opened);
  if (snd_pcm_set_params(pcm.get(), *format, SND_PCM_ACCESS_RW_INTERLEAVED, sound.format.channels,
                         sound.format.samplesPerSecond, 1, kLatencyMicroseconds) < 0) {
    return;
  }

  bool whole = true;
  do {
    whole = WriteAll(pcm.get(), sound, frames, stop);
  } while (whole && loop);
  if (whole) {
    snd_pcm_drain(pcm.get());  // let the last samples sound before closing
  } else {
    snd_pcm_drop(pcm.get());
  }
}

}  // namespace sw
