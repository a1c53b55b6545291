#include "tests/e2e/win32/prompt_window.h"

#include <windowsx.h>

namespace sw::e2e {
namespace {

constexpr const wchar_t* kClassName = L"SwE2eRecordingWindow";

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

RecordingWindow::RecordingWindow(RECT outer, bool closeWhenClicked)
    : closeWhenClicked_(closeWhenClicked) {
  RegisterOnce();
  handle_ =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"prompt-like", WS_POPUP,
                      outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (handle_ == nullptr) return;
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  ShowWindow(handle_, SW_SHOWNOACTIVATE);
  UpdateWindow(handle_);
}

RecordingWindow::~RecordingWindow() {
  if (handle_ != nullptr && IsWindow(handle_)) DestroyWindow(handle_);
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_LBUTTONDOWN) {
      self->presses_.push_back(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    } else if (message == WM_LBUTTONUP && self->closeWhenClicked_) {
      // Answered: the prompt goes, as the real one does after a sign-in.
      ShowWindow(window, SW_HIDE);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace sw::e2e
