// Two windows of a program of their own for the desktop tests: clicks that the test
// makes on another program's windows, as the watcher does. Each window counts the
// left presses that landed at its target point; presses anywhere else are counted
// apart. The test reads the counts with kQueryMessage and ends the program by closing
// window A.
#include "tests/integration/win32/click_targets.h"

namespace {

using sw::test::ClickTargets;

int exact[2] = {0, 0};
int elsewhere = 0;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_LBUTTONDOWN: {
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const POINT target = ClickTargets::kClientTarget;
      if (at.x == target.x && at.y == target.y) {
        ++exact[index];
      } else {
        ++elsewhere;
      }
      return 0;
    }
    case ClickTargets::kQueryMessage:
      return wParam < 2 ? exact[wParam] : elsewhere;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int main() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = ClickTargets::kClassName;
  if (RegisterClassW(&windowClass) == 0) return 1;
  HWND windows[2] = {};
  for (int i = 0; i < 2; ++i) {
    const RECT outer = ClickTargets::kOuter[i];
    windows[i] = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClickTargets::kClassName,
                                 ClickTargets::kTitles[i], WS_POPUP, outer.left, outer.top,
                                 outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    if (windows[i] == nullptr) return 1;
    SetWindowLongPtrW(windows[i], GWLP_USERDATA, i);
    ShowWindow(windows[i], SW_SHOWNOACTIVATE);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  for (HWND window : windows) DestroyWindow(window);
  return 0;
}
