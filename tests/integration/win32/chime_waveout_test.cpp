// The waveOut chime under Wine. Three groups, each run with its own ALSA set-up:
// NoDevice* where Wine has no sound device; FileSink* where ALSA's default device
// writes every sample it gets to a file (SW_CHIME_SINK names it), so what the device
// received can be compared with what was played; MixingSink* where every player's
// samples are appended to that file.
#include "platform/win32/chime_waveout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "tests/integration/win32/wav_bytes.h"

namespace sw {
namespace {

using test::ConstantSamples;
using test::RampSamples;
using test::StereoWav;
using test::WavLayout;

// Waits, with a generous bound against hangs, until no player is running.
bool WaitUntilAllEnded(const WaveOutChimePlayer& chime) {
  for (int i = 0; i < 3000 && chime.RunningCount() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return chime.RunningCount() == 0;
}

TEST(NoDeviceChime, UnplayableDataStartsNoPlayer) {
  const ByteSet truncated = [] {
    ByteSet whole = StereoWav(RampSamples(8));
    return BytesLeft(whole, 30);  // cut inside the format chunk
  }();
  const ByteSet cases[] = {ByteSet{}, ToBytes("not a sound at all"),
                           ByteSet{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, truncated,
                           StereoWav({})};
  WaveOutChimePlayer chime;
  for (const ByteSet& sound : cases) {
    chime.PlaySoundData(sound, false);
    chime.PlaySoundData(sound, true);
  }
  EXPECT_EQ(chime.PlayerCount(), 0);
}

TEST(NoDeviceChime, PlayerWithoutDeviceEndsQuietlyAndIsReaped) {
  WaveOutChimePlayer chime;
  chime.PlaySoundData(StereoWav(RampSamples(22050)), false);
  chime.PlaySoundData(StereoWav(RampSamples(22050)), true);  // a loop ends too: no device
  EXPECT_EQ(chime.PlayerCount(), 2);
  ASSERT_TRUE(WaitUntilAllEnded(chime));

  chime.PlaySoundData(ByteSet{}, false);  // the next request reaps the finished players
  EXPECT_EQ(chime.PlayerCount(), 0);
}

TEST(NoDeviceChime, StopAllReturnsWithEveryPlayerGone) {
  WaveOutChimePlayer chime;
  for (int i = 0; i < 5; ++i) chime.PlaySoundData(StereoWav(RampSamples(1000)), false);
  chime.StopAll();
  EXPECT_EQ(chime.PlayerCount(), 0);
  EXPECT_EQ(chime.RunningCount(), 0);
}

// The device's file, read back whole.
class FileSinkChime : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* sink = std::getenv("SW_CHIME_SINK");
    if (sink == nullptr) GTEST_SKIP() << "SW_CHIME_SINK is not set";
    // Wine shows the Unix root as drive Z:.
    sinkPath_ = std::filesystem::path(std::string("Z:") + sink);
    std::filesystem::remove(sinkPath_);
  }

  // The frames the device received, less the silent ones Wine's mixer writes whenever
  // a player's data is late (none of the test sounds has a silent frame). Here every
  // frame is 4 bytes: 16-bit stereo.
  std::vector<std::uint8_t> AudibleFrames() const {
    std::ifstream in(sinkPath_, std::ios::binary);
    const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
    const std::uint8_t silence[4] = {0, 0, 0, 0};
    std::vector<std::uint8_t> audible;
    for (std::size_t i = 0; i + 4 <= written.size(); i += 4) {
      const auto frame = written.begin() + static_cast<std::ptrdiff_t>(i);
      if (!std::equal(frame, frame + 4, silence)) audible.insert(audible.end(), frame, frame + 4);
    }
    return audible;
  }

  std::filesystem::path sinkPath_;
};

TEST_F(FileSinkChime, DeviceReceivesExactlyTheSamplesOnceWhateverTheChunkOrder) {
  const std::vector<std::uint8_t> samples = RampSamples(27648);  // the chime's length
  for (WavLayout layout : {WavLayout::kFmtListData, WavLayout::kFmtData, WavLayout::kDataListFmt}) {
    SCOPED_TRACE(static_cast<int>(layout));
    std::filesystem::remove(sinkPath_);
    WaveOutChimePlayer chime;
    ByteSet sound = StereoWav(samples, layout);
    chime.PlaySoundData(sound, false);
    sound = ByteSet{};  // the player has its own copy
    ASSERT_TRUE(WaitUntilAllEnded(chime));
    EXPECT_EQ(AudibleFrames(), samples);
  }
}

TEST_F(FileSinkChime, ReturnsWhileSoundingAndStopAllCutsTheLoopShort) {
  const std::vector<std::uint8_t> samples = RampSamples(2205);
  WaveOutChimePlayer chime;
  chime.PlaySoundData(StereoWav(samples), true);
  // A looping sound never ends by itself, so the call cannot have waited for it.
  EXPECT_EQ(chime.RunningCount(), 1);
  chime.StopAll();
  EXPECT_EQ(chime.PlayerCount(), 0);

  // What reached the device is the sound from its start, repeated, cut anywhere.
  const std::vector<std::uint8_t> written = AudibleFrames();
  for (std::size_t i = 0; i < written.size(); ++i) {
    ASSERT_EQ(written[i], samples[i % samples.size()]) << "byte " << i;
  }
}

// Here every player's samples are appended to the one file through a pipe of its own,
// so two sounds at once both land there, in pieces, a little after they are played.
class MixingSinkChime : public FileSinkChime {
 protected:
  // The audible frames of the file apart from those equal to `loop`'s frame.
  std::vector<std::uint8_t> FramesApartFrom(const std::vector<std::uint8_t>& loop,
                                            std::size_t* loopFrames) const {
    const std::vector<std::uint8_t> audible = AudibleFrames();
    std::vector<std::uint8_t> rest;
    *loopFrames = 0;
    for (std::size_t i = 0; i + 4 <= audible.size(); i += 4) {
      const auto frame = audible.begin() + static_cast<std::ptrdiff_t>(i);
      if (std::equal(frame, frame + 4, loop.begin())) {
        ++*loopFrames;
      } else {
        rest.insert(rest.end(), frame, frame + 4);
      }
    }
    return rest;
  }
};

TEST_F(MixingSinkChime, OverlappingSoundsBothPlayWhole) {
  // The first loops on one constant frame until stopped; the second is a ramp that
  // must reach the device whole and in order while the first keeps sounding.
  const std::vector<std::uint8_t> background = ConstantSamples(2205, 0x1234);
  const std::vector<std::uint8_t> ramp = RampSamples(27648);
  WaveOutChimePlayer chime;
  chime.PlaySoundData(StereoWav(background), true);
  chime.PlaySoundData(StereoWav(ramp), false);
  EXPECT_EQ(chime.PlayerCount(), 2);
  for (int i = 0; i < 3000 && chime.RunningCount() > 1; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(chime.RunningCount(), 1) << "the ramp did not end while the loop sounded";
  chime.StopAll();

  // The pipes deliver late: wait (bounded) until the ramp's share has arrived.
  std::size_t loopFrames = 0;
  std::vector<std::uint8_t> rampFrames = FramesApartFrom(background, &loopFrames);
  for (int i = 0; i < 500 && rampFrames.size() < ramp.size(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    rampFrames = FramesApartFrom(background, &loopFrames);
  }
  EXPECT_GT(loopFrames, 0u);
  EXPECT_EQ(rampFrames, ramp);
}

}  // namespace
}  // namespace sw
