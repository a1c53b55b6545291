// The Windows shell under Wine: Wine hands web addresses to the desktop's launcher,
// which the test replaces (fake-browser/xdg-open, first on PATH) with a recorder that
// stays open until released. SW_FAKE_BROWSER_DIR is the recorder's folder.
#include "platform/win32/shell_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace sw {
namespace {

class Win32ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("SW_FAKE_BROWSER_DIR");
    if (dir == nullptr) GTEST_SKIP() << "SW_FAKE_BROWSER_DIR is not set";
    dir_ = std::filesystem::path(std::string("Z:") + dir);  // Wine shows / as Z:
    std::filesystem::create_directories(dir_);
    std::filesystem::remove(dir_ / "opened");
    std::filesystem::remove(dir_ / "release");
  }
  void TearDown() override {
    if (!dir_.empty()) std::ofstream(dir_ / "release").put('\n');
  }

  std::vector<std::string> Opened() const {
    std::vector<std::string> lines;
    std::ifstream in(dir_ / "opened");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // Waits (bounded) until the recorder has written `count` lines.
  std::vector<std::string> WaitForLines(std::size_t count) const {
    for (int i = 0; i < 1500 && Opened().size() < count; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Opened();
  }

  std::filesystem::path dir_;
};

TEST_F(Win32ShellTest, HandsTheAddressToTheBrowserAndDoesNotWaitForIt) {
  const Text address = "https://example.invalid/releases/latest?from=5.6&lang=zh";
  Win32Shell().OpenWebAddress(address);
  // Back here while the browser still runs: it leaves only once released.
  std::ofstream(dir_ / "release").put('\n');
  EXPECT_EQ(WaitForLines(2), (std::vector<std::string>{address.bytes(), "released"}));
}

TEST_F(Win32ShellTest, OpensOnlyWebAddresses) {
  // Wine's shell would hand each of these to the launcher too (other texts would run
  // programs or open files, which the launcher cannot see).
  for (const char* refused : {"ftp://example.invalid/file", " https://example.invalid/lead-blank",
                              "\thttp://example.invalid/lead-tab"}) {
    Win32Shell().OpenWebAddress(refused);
  }
  std::ofstream(dir_ / "release").put('\n');
  Win32Shell().OpenWebAddress("HTTP://EXAMPLE.INVALID/Upper");
  const std::vector<std::string> opened = WaitForLines(2);
  // Give a wrongly started launcher time to show up before the final look.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  // Wine's shell writes the scheme and host in lower case, as they compare anyway.
  EXPECT_EQ(Opened(), (std::vector<std::string>{"http://example.invalid/Upper", "released"}));
}

TEST(IsWebAddress, AcceptsHttpAndHttpsInAnyCase) {
  const std::pair<const char*, bool> cases[] = {
      {"http://a", true}, {"https://a/b?c", true},        {"HtTpS://A", true},
      {"http:/a", false}, {"httpx://a", false},           {" http://a", false},
      {"", false},        {"javascript:alert(1)", false},
  };
  for (const auto& [address, web] : cases) EXPECT_EQ(IsWebAddress(address), web) << address;
}

}  // namespace
}  // namespace sw
