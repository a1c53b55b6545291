// Opening a web address on a Linux desktop: xdg-open hands it to the user's default
// browser.
#pragma once

#include "update/shell.h"

namespace sw {

class XdgShell final : public Shell {
 public:
  // Starts xdg-open with the address as its only argument, no shell in between, and
  // returns at once. A background thread reaps the child, so none is left a zombie.
  // An address xdg-open would read as an option (a leading '-') is not passed on.
  void OpenWebAddress(const Text& address) override;
};

}  // namespace sw
