// Opening a web address in the default browser through the Windows shell.
#pragma once

#include "update/shell.h"

namespace sw {

class Win32Shell final : public Shell {
 public:
  // Only http and https addresses are handed on: the shell would run a program or
  // open a file for other texts.
  void OpenWebAddress(const Text& address) override;
};

// True for an address that begins with "http://" or "https://" (letters in any case).
bool IsWebAddress(const Text& address);

}  // namespace sw
