// Closes a WinInet request from another thread once its head is overdue. Windows'
// WinInet documents closing a handle as the way to end a call blocked on it; Wine 8's
// WinInet goes on regardless (measured for the request, its connection and its root),
// which is why HeadBudget exists. This runs only where HeadBudget cannot refuse
// wininet.dll's reads.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/win32/wininet_api.h"

namespace sw::wininet {

class HeadWatchdog {
 public:
  HeadWatchdog(RawHandle request, std::uint64_t deadlineMs);
  HeadWatchdog(const HeadWatchdog&) = delete;
  HeadWatchdog& operator=(const HeadWatchdog&) = delete;
  ~HeadWatchdog();

  // Ends the watch and waits for it; true when the request was closed, after which its
  // handle must not be used or closed again.
  bool Stop();

 private:
  static DWORD WINAPI Watch(void* self);

  RawHandle request_;
  DWORD waitMs_;
  std::atomic<bool> closed_{false};
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace sw::wininet
