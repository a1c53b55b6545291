// The ALSA chime into file sinks: ALSA's file plugin hands every sample a player
// writes to a pipe, whose reader stores it, so the test sees exactly what was played.
#include "platform/linux/chime_alsa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/integration/desktop/eventually.h"

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::Eventually;

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutId(std::vector<std::uint8_t>& out, const char* id) {
  out.insert(out.end(), id, id + 4);
}

// A chime-shaped WAV: 22050 Hz, stereo, 16 bits, 27648 frames, a LIST chunk between
// the format and the samples.
struct TestSound {
  std::vector<std::uint8_t> samples;
  ByteSet wav;
};

TestSound MakeChimeLikeWav() {
  TestSound s;
  for (int i = 0; i < 27648; ++i) {
    PutU16(s.samples,
           static_cast<std::uint16_t>(static_cast<std::int16_t>(9000 * std::sin(i / 9.0))));
    PutU16(s.samples,
           static_cast<std::uint16_t>(static_cast<std::int16_t>(-5000 * std::sin(i / 13.0))));
  }
  std::vector<std::uint8_t> w;
  PutId(w, "RIFF");
  PutU32(w, 0);  // patched below
  PutId(w, "WAVE");
  PutId(w, "fmt ");
  PutU32(w, 16);
  PutU16(w, 1);
  PutU16(w, 2);
  PutU32(w, 22050);
  PutU32(w, 88200);
  PutU16(w, 4);
  PutU16(w, 16);
  PutId(w, "LIST");
  PutU32(w, 12);
  PutId(w, "INFO");
  PutId(w, "ISFT");
  PutU32(w, 0);
  PutId(w, "data");
  PutU32(w, static_cast<std::uint32_t>(s.samples.size()));
  w.insert(w.end(), s.samples.begin(), s.samples.end());
  const auto riffSize = static_cast<std::uint32_t>(w.size() - 8);
  for (int i = 0; i < 4; ++i) w[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
  s.wav = ByteSet(std::move(w));
  return s;
}

std::vector<std::uint8_t> ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> FilesEndingWith(const fs::path& dir, const std::string& suffix) {
  std::vector<fs::path> found;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (name.size() >= suffix.size() && name.ends_with(suffix)) found.push_back(e.path());
  }
  return found;
}

class ChimeAlsa : public ::testing::Test {
 protected:
  // ALSA reads its configuration once per process, so every device the tests use is
  // defined up front. Each sink file is named after the pipe shell's process id, so
  // every player gets its own file; ".done" appears once the player closed its device.
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/sw-chime-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    const std::string d = dir_.string();
    const std::string sink = "type file\n slave.pcm { type null }\n format \"raw\"\n";
    std::ofstream conf(dir_ / "asound.conf");
    conf << "pcm.!default {\n " << sink << " file \"|cat > " << d << "/default-$$.raw && mv " << d
         << "/default-$$.raw " << d << "/default-$$.done\"\n}\n"
         << "pcm.slow {\n " << sink << " file \"|sleep 1; cat > " << d << "/slow-$$.raw && mv " << d
         << "/slow-$$.raw " << d << "/slow-$$.done\"\n}\n"
         << "pcm.endless {\n " << sink << " file \"|touch " << d
         << "/started-$$; cat > /dev/null; touch " << d << "/closed-$$\"\n}\n"
         << "pcm.nodevice { type hw\n card 99 }\n";
    conf.close();
    setenv("ALSA_CONFIG_PATH", (dir_ / "asound.conf").c_str(), 1);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  void TearDown() override {
    for (const auto& e : fs::directory_iterator(dir_)) {
      if (e.path().filename() != "asound.conf") fs::remove(e.path());
    }
  }

  static fs::path dir_;
  TestSound sound_ = MakeChimeLikeWav();
};
fs::path ChimeAlsa::dir_;

TEST_F(ChimeAlsa, DefaultDevicePlaysEverySampleOnce) {
  AlsaChimePlayer player;
  player.PlaySoundData(sound_.wav, false);
  ASSERT_TRUE(Eventually([&] { return FilesEndingWith(dir_, ".done").size() == 1; }));
  EXPECT_EQ(ReadFile(FilesEndingWith(dir_, ".done")[0]), sound_.samples);
}

TEST_F(ChimeAlsa, ShippedChimePlaysItsDataChunk) {
  const fs::path chime = fs::path(SW_SOURCE_DIR) / "resources" / "chime.wav";
  if (!fs::exists(chime)) GTEST_SKIP() << "resources/chime.wav not built yet";
  const std::vector<std::uint8_t> bytes = ReadFile(chime);
  ASSERT_EQ(bytes.size(), 110698u);
  const std::vector<std::uint8_t> data(bytes.begin() + 106, bytes.end());
  AlsaChimePlayer player;
  player.PlaySoundData(ByteSet(bytes.data(), bytes.size()), false);
  ASSERT_TRUE(Eventually([&] { return FilesEndingWith(dir_, ".done").size() == 1; }));
  EXPECT_EQ(ReadFile(FilesEndingWith(dir_, ".done")[0]), data);
}

TEST_F(ChimeAlsa, OverlappingChimesBothPlayWhole) {
  AlsaChimePlayer player("slow");
  player.PlaySoundData(sound_.wav, false);
  player.PlaySoundData(sound_.wav, false);
  // The sinks only start reading after a second: had either call waited for its
  // sound, a finished file would exist already.
  EXPECT_TRUE(FilesEndingWith(dir_, ".done").empty());
  ASSERT_TRUE(Eventually([&] { return FilesEndingWith(dir_, ".done").size() == 2; }));
  for (const fs::path& f : FilesEndingWith(dir_, ".done")) EXPECT_EQ(ReadFile(f), sound_.samples);
  // A third request after both ended reaps them and plays again.
  player.PlaySoundData(sound_.wav, false);
  ASSERT_TRUE(Eventually([&] { return FilesEndingWith(dir_, ".done").size() == 3; }));
}

TEST_F(ChimeAlsa, StopAllEndsARunningPlayerBeforeReturning) {
  for (bool viaDestructor : {false, true}) {
    SCOPED_TRACE(viaDestructor ? "destructor" : "StopAll");
    {
      AlsaChimePlayer player("endless");
      player.PlaySoundData(sound_.wav, /*loop=*/true);
      ASSERT_TRUE(Eventually([&] { return FilesEndingWith(dir_, "").size() >= 2; }));  // started
      if (!viaDestructor) player.StopAll();
    }
    // Closing the device waits for the sink's shell, which notes the close last.
    bool closed = false;
    for (const auto& e : fs::directory_iterator(dir_)) {
      closed = closed || e.path().filename().string().starts_with("closed-");
    }
    EXPECT_TRUE(closed);
    TearDown();
  }
}

TEST_F(ChimeAlsa, NothingPlayableOrNoDeviceIsSilentAndHarmless) {
  const std::vector<std::uint8_t>& w = sound_.wav.bytes();
  std::vector<std::uint8_t> wrongForm = w;
  wrongForm[8] = 'X';  // "XAVE"
  std::vector<std::uint8_t> compressed = w;
  compressed[20] = 2;  // not PCM
  for (const ByteSet& bad :
       {ByteSet{}, ByteSet{'R', 'I', 'F', 'F'}, ByteSet(wrongForm), ByteSet(compressed),
        ByteSet(std::vector<std::uint8_t>(w.begin(), w.begin() + 60))}) {
    AlsaChimePlayer player;
    player.PlaySoundData(bad, false);
    player.StopAll();
  }
  EXPECT_EQ(FilesEndingWith(dir_, ".done").size(), 0u);
  EXPECT_EQ(FilesEndingWith(dir_, ".raw").size(), 0u);

  AlsaChimePlayer absent("nodevice");
  for (int i = 0; i < 3; ++i) absent.PlaySoundData(sound_.wav, i == 1);
  absent.StopAll();
  AlsaChimePlayer unknown("no-such-pcm");
  unknown.PlaySoundData(sound_.wav, false);
}

}  // namespace
}  // namespace sw
