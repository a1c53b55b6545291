#include "tests/integration/win32/test_window.h"

namespace sw::test {
namespace {

const wchar_t kClassName[] = L"sw_desktop_test_window";

void RegisterOnce(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

TestWindow::TestWindow(RECT outer, DWORD style) {
  RegisterOnce(&TestWindow::Procedure);
  handle_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"desktop test", style, outer.left,
                            outer.top, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
}

TestWindow::~TestWindow() {
  Destroy();
}

void TestWindow::Destroy() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  handle_ = nullptr;
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      if (self != nullptr) {
        self->mouse_.push_back({message, POINT{static_cast<short>(LOWORD(lParam)),
                                               static_cast<short>(HIWORD(lParam))}});
      }
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace sw::test
