#include "platform/win32/chime_waveout_player.h"

#include <utility>

// mmsystem.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace sw {
namespace {

// The device, closed when the playback ends.
class WaveOutDevice {
 public:
  explicit WaveOutDevice(HWAVEOUT device) : device_(device) {}
  ~WaveOutDevice() { waveOutClose(device_); }
  WaveOutDevice(const WaveOutDevice&) = delete;
  WaveOutDevice& operator=(const WaveOutDevice&) = delete;
  HWAVEOUT get() const { return device_; }

 private:
  HWAVEOUT device_;
};

// A header prepared on the device; the device gives it back (reset) before it is
// unprepared, so the samples are never freed while the device still reads them.
class PreparedHeader {
 public:
  PreparedHeader(HWAVEOUT device, WAVEHDR& header) : device_(device), header_(header) {}
  ~PreparedHeader() {
    waveOutReset(device_);
    waveOutUnprepareHeader(device_, &header_, sizeof header_);
  }
  PreparedHeader(const PreparedHeader&) = delete;
  PreparedHeader& operator=(const PreparedHeader&) = delete;

 private:
  HWAVEOUT device_;
  WAVEHDR& header_;
};

WAVEFORMATEX WaveFormat(const WavFormat& format) {
  WAVEFORMATEX wave{};
  wave.wFormatTag = format.formatTag;
  wave.nChannels = format.channels;
  wave.nSamplesPerSec = format.samplesPerSecond;
  wave.nAvgBytesPerSec = format.bytesPerSecond;
  wave.nBlockAlign = format.blockAlign;
  wave.wBitsPerSample = format.bitsPerSample;
  wave.cbSize = 0;
  return wave;
}

}  // namespace

void WaveOutPlayer::CloseHandleDeleter::operator()(void* handle) const {
  CloseHandle(handle);
}

WaveOutPlayer::WaveOutPlayer(WavSound sound, bool loop)
    : sound_(std::move(sound)),
      loop_(loop),
      stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      worker_([this] { Run(); }) {}

WaveOutPlayer::~WaveOutPlayer() {
  Stop();
  if (worker_.joinable()) worker_.join();
}

void WaveOutPlayer::Stop() {
  if (stopEvent_) SetEvent(stopEvent_.get());
}

void WaveOutPlayer::Run() {
  struct MarkFinished {
    std::atomic<bool>& finished;
    ~MarkFinished() { finished.store(true); }
  } markFinished{finished_};

  if (!stopEvent_ || sound_.format.blockAlign == 0 ||
      sound_.samples.size() < sound_.format.blockAlign) {
    return;
  }
  // Signalled by the device when it opens, finishes the buffer and closes.
  std::unique_ptr<void, CloseHandleDeleter> deviceEvent(
      CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!deviceEvent) return;

  WAVEFORMATEX format = WaveFormat(sound_.format);
  HWAVEOUT opened = nullptr;
  if (waveOutOpen(&opened, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(deviceEvent.get()), 0,
                  CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    return;  // no device, or one that refuses the format: silence
  }
  WaveOutDevice device(opened);

  WAVEHDR header{};
  // The device only reads the buffer; the API's pointer type is not const.
  header.lpData = const_cast<LPSTR>(reinterpret_cast<const char*>(sound_.samples.data()));
  // Whole sample frames only: a trailing partial frame is not a sound.
  const std::size_t frameBytes = sound_.format.blockAlign;
  const std::size_t playable = sound_.samples.size() - sound_.samples.size() % frameBytes;
  header.dwBufferLength = static_cast<DWORD>(playable);
  if (waveOutPrepareHeader(device.get(), &header, sizeof header) != MMSYSERR_NOERROR) return;
  PreparedHeader prepared(device.get(), header);

  if (loop_) {
    // The device repeats the buffer by itself, without a gap between the rounds.
    header.dwFlags |= WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header.dwLoops = INFINITE;
  }

  const HANDLE events[2] = {stopEvent_.get(), deviceEvent.get()};
  bool playing = waveOutWrite(device.get(), &header, sizeof header) == MMSYSERR_NOERROR;
  while (playing) {
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    if ((header.dwFlags & WHDR_DONE) == 0) continue;  // the open notice, not the end
    if (!loop_) break;
    // Some four billion rounds later the device is done: go on from the start.
    playing = waveOutWrite(device.get(), &header, sizeof header) == MMSYSERR_NOERROR;
  }
}

}  // namespace sw
