#include "platform/linux/shell_xdg.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <thread>

extern char** environ;

namespace sw {

void XdgShell::OpenWebAddress(const Text& address) {
  if (address.empty() || address.bytes().front() == '-') return;

  std::string program = "xdg-open";
  std::string argument = address.bytes();  // the bytes as they are, one argument
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return;

  // xdg-open may wait for the browser; waiting for it here would block the caller.
  try {
    std::thread([child] {
      while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the child stays a zombie until the program ends, which is
    // harmless next to blocking the caller.
  }
}

}  // namespace sw
