// Real top-level windows for the desktop tests, with the mouse messages they receive.
#pragma once

#include <windows.h>

#include <vector>

namespace sw::test {

struct MouseMessage {
  UINT message;  // WM_LBUTTONDOWN ...
  POINT client;  // where it landed, in client coordinates
};

class TestWindow {
 public:
  // A top-level window with this outer rectangle and style (WS_VISIBLE decides whether
  // it is shown). Topmost, so that nothing else on the desktop covers it.
  TestWindow(RECT outer, DWORD style);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle() const { return handle_; }
  const std::vector<MouseMessage>& mouse() const { return mouse_; }
  // Destroys the window now; the handle then names no window.
  void Destroy();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  std::vector<MouseMessage> mouse_;
};

// Dispatches this thread's messages until `done` holds or about five seconds pass.
template <typename Done>
bool PumpUntil(Done done) {
  const ULONGLONG giveUp = GetTickCount64() + 5000;
  while (!done()) {
    if (GetTickCount64() > giveUp) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

}  // namespace sw::test
