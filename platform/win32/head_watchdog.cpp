#include "platform/win32/head_watchdog.h"

#include <algorithm>

namespace sw::wininet {

HeadWatchdog::HeadWatchdog(RawHandle request, std::uint64_t deadlineMs)
    : request_(request),
      waitMs_(static_cast<DWORD>(std::min<std::uint64_t>(deadlineMs, INFINITE - 1))),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (stop_ != nullptr) thread_ = CreateThread(nullptr, 0, &Watch, this, 0, nullptr);
}

HeadWatchdog::~HeadWatchdog() {
  Stop();
  if (stop_ != nullptr) CloseHandle(stop_);
}

DWORD WINAPI HeadWatchdog::Watch(void* self) {
  auto& watchdog = *static_cast<HeadWatchdog*>(self);
  if (WaitForSingleObject(watchdog.stop_, watchdog.waitMs_) == WAIT_TIMEOUT) {
    Bound().close(watchdog.request_);
    watchdog.closed_ = true;
  }
  return 0;
}

bool HeadWatchdog::Stop() {
  if (thread_ != nullptr) {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return closed_;
}

}  // namespace sw::wininet
