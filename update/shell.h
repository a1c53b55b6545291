// Handing a web address to the user's default browser. Backends: platform/<os>/shell_*.
#pragma once

#include "base/text.h"

namespace sw {

class Shell {
 public:
  virtual ~Shell() = default;
  // Asks the desktop to open the address in the default web browser and returns at
  // once, without waiting for the browser. Failures are not reported.
  virtual void OpenWebAddress(const Text& address) = 0;
};

}  // namespace sw
