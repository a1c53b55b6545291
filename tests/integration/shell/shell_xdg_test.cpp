// Opening an address through a stand-in xdg-open found first on PATH, which records
// the arguments it gets and then waits until the test lets it go.
#include "platform/linux/shell_xdg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
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

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Our child processes, zombies included, from /proc.
int ChildProcesses() {
  int children = 0;
  const std::string self = std::to_string(getpid());
  for (const auto& e : fs::directory_iterator("/proc")) {
    const std::string name = e.path().filename().string();
    if (!std::all_of(name.begin(), name.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
      continue;  // not a process
    }
    std::string stat;
    try {
      stat = ReadFile(e.path() / "stat");
    } catch (const std::exception&) {
      continue;  // the process ended while we looked
    }
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    // After the command name: " state ppid ..."
    std::string rest = stat.substr(close + 2);
    rest = rest.substr(rest.find(' ') + 1);
    if (rest.substr(0, rest.find(' ')) == self) ++children;
  }
  return children;
}

class ShellXdg : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/sw-shell-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs::create_directory(dir_ / "bin");
    const std::string d = dir_.string();
    // Each call writes its arguments, each ended by a zero byte, to a file of its
    // own: calls run side by side, and appends to one shared file could interleave.
    std::ofstream script(dir_ / "bin" / "xdg-open");
    script << "#!/bin/sh\n"
           << "printf '%s\\0' \"$@\" > '" << d << "/call-'$$.tmp\n"
           << "mv '" << d << "/call-'$$.tmp '" << d << "/call-'$$\n"
           << "i=0; while [ ! -e '" << d
           << "/release' ] && [ $i -lt 500 ]; do sleep 0.02; i=$((i+1)); done\n"
           << "touch '" << d << "/finished-'$$\n";
    script.close();
    fs::permissions(dir_ / "bin" / "xdg-open", fs::perms::owner_all);
    oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (d + "/bin:" + oldPath_).c_str(), 1);
    oldCwd_ = fs::current_path();
    fs::current_path(dir_);  // where an injected command would leave its traces
  }
  void TearDown() override {
    std::ofstream(dir_ / "release").close();
    EXPECT_TRUE(Eventually([] { return ChildProcesses() == 0; }, std::chrono::seconds(20)))
        << "a finished xdg-open was not reaped";
    fs::current_path(oldCwd_);
    setenv("PATH", oldPath_.c_str(), 1);
    fs::remove_all(dir_);
  }
  // The finished calls' arguments, in no particular order.
  std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (const auto& e : fs::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name.starts_with("call-") && !name.ends_with(".tmp")) calls.push_back(ReadFile(e.path()));
    }
    std::sort(calls.begin(), calls.end());
    return calls;
  }
  bool AnyFinished() {
    for (const auto& e : fs::directory_iterator(dir_)) {
      if (e.path().filename().string().starts_with("finished-")) return true;
    }
    return false;
  }

  fs::path dir_;
  fs::path oldCwd_;
  std::string oldPath_;
};

TEST_F(ShellXdg, PassesTheAddressUnchangedAsOneArgumentAndReturnsAtOnce) {
  const std::vector<std::string> addresses = {
      "https://example.invalid/releases/latest",
      "https://example.invalid/a page?q='x'&r=\"y\";touch injected-1",
      "https://example.invalid/$(touch injected-2)`touch injected-3`|x>y",
      "https://example.invalid/\xb0\xa1\xb0\xa2",  // GBK bytes pass as they are
  };
  XdgShell shell;
  for (const std::string& a : addresses) {
    shell.OpenWebAddress(Text(a));
    // Every stand-in waits for the release that only comes later: had the call
    // waited for its child, that child would have timed out and finished by now.
    EXPECT_FALSE(AnyFinished()) << a;
  }
  ASSERT_TRUE(Eventually([&] { return Calls().size() == addresses.size(); }));
  std::vector<std::string> expected;
  for (const std::string& a : addresses) expected.push_back(a + '\0');
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Calls(), expected);
  for (const char* trace : {"injected-1", "injected-2", "injected-3"}) {
    EXPECT_FALSE(fs::exists(dir_ / trace)) << trace;
  }
}

TEST_F(ShellXdg, EmptyAndOptionLikeAddressesAreNotPassedOn) {
  XdgShell shell;
  shell.OpenWebAddress(Text(""));
  shell.OpenWebAddress(Text("--version"));
  shell.OpenWebAddress(Text("-h"));
  shell.OpenWebAddress(Text("https://example.invalid/"));
  std::ofstream(dir_ / "release").close();
  ASSERT_TRUE(Eventually([] { return ChildProcesses() == 0; }));
  EXPECT_EQ(Calls(), std::vector<std::string>{std::string("https://example.invalid/") + '\0'});
}

TEST(ShellXdgMissing, NoXdgOpenOnPathIsHarmless) {
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", "/nonexistent", 1);
  XdgShell().OpenWebAddress(Text("https://example.invalid/"));
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_TRUE(Eventually([] { return ChildProcesses() == 0; }));
}

}  // namespace
}  // namespace sw
