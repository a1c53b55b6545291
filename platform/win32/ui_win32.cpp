#include "platform/win32/ui_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/text_utf16.h"
#include "resources/resources.h"

namespace sw {
namespace {

constexpr const wchar_t* kWindowClass = L"ZandrelSignInWindow";
constexpr int kMaxHeight = 32627;

std::size_t IndexOf(WindowKind window) {
  return static_cast<std::size_t>(window);
}

// The icon drawn at `size` pixels from the embedded image of the nearest size not
// below it (the largest when none is that big).
UniqueIcon MakeIcon(int size) {
  const std::span<const int> sizes = IconSizes();
  if (sizes.empty()) return nullptr;
  int chosen = sizes.back();
  for (int candidate : sizes) {
    if (candidate >= size && candidate < chosen) chosen = candidate;
  }
  const std::span<const std::uint8_t> image = IconImage(chosen);
  if (image.empty()) return nullptr;
  constexpr DWORD kIconFormatVersion = 0x00030000;
  return UniqueIcon(CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                             static_cast<DWORD>(image.size()), TRUE,
                                             kIconFormatVersion, size, size, LR_DEFAULTCOLOR));
}

// Windows disabled while a modal window is open, with the state each had before.
class DisabledWindows {
 public:
  void Disable(HWND window) {
    saved_.emplace_back(window, IsWindowEnabled(window) != FALSE);
    EnableWindow(window, FALSE);
  }
  // Gives each window its earlier state back; later calls do nothing.
  void Restore() {
    for (const auto& [window, enabled] : saved_) {
      if (IsWindow(window)) EnableWindow(window, enabled ? TRUE : FALSE);
    }
    saved_.clear();
  }

 private:
  std::vector<std::pair<HWND, bool>> saved_;
};

}  // namespace

Win32WindowLayer::Win32WindowLayer(HINSTANCE instance)
    : instance_(instance), guiThread_(GetCurrentThreadId()) {
  // Buttons, labels and the list box in the desktop's visual style (version 6 of the
  // common controls, declared in the program's manifest).
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  bigIcon_ = MakeIcon(GetSystemMetrics(SM_CXICON));
  smallIcon_ = MakeIcon(GetSystemMetrics(SM_CXSMICON));
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &ProgramWindow::Procedure;
  windowClass.hInstance = instance_;
  windowClass.hIcon = bigIcon_.get();
  windowClass.hIconSm = smallIcon_.get();
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kWindowClass;
  classRegistered_ = RegisterClassExW(&windowClass) != 0;
}

Win32WindowLayer::~Win32WindowLayer() {
  Release();
}

bool Win32WindowLayer::AnyWindowOpen() const {
  return std::any_of(windows_.begin(), windows_.end(),
                     [](const auto& window) { return window != nullptr && window->open(); });
}

ProgramWindow* Win32WindowLayer::OpenWindow(WindowKind window) const {
  const std::size_t index = IndexOf(window);
  if (index >= windows_.size() || windows_[index] == nullptr || !windows_[index]->open()) {
    return nullptr;
  }
  return windows_[index].get();
}

HWND Win32WindowLayer::WindowHandle(WindowKind window) const {
  ProgramWindow* open = OpenWindow(window);
  return open != nullptr ? open->handle() : nullptr;
}

ProgramWindow* Win32WindowLayer::OwnerOf(HWND window) const {
  HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
  if (root == nullptr) return nullptr;
  for (const auto& open : windows_) {
    if (open != nullptr && open->open() && open->handle() == root) return open.get();
  }
  return nullptr;
}

HWND Win32WindowLayer::ControlOf(WindowKind window, std::string_view control,
                                 ControlKind kind) const {
  if (!OnGuiThread()) return nullptr;
  ProgramWindow* open = OpenWindow(window);
  return open != nullptr ? open->Control(control, kind) : nullptr;
}

Text Win32WindowLayer::ReadCaption(WindowKind window, std::string_view control) {
  HWND label = ControlOf(window, control, ControlKind::kLabel);
  if (label == nullptr) label = ControlOf(window, control, ControlKind::kButton);
  if (label == nullptr) return {};
  const int length = GetWindowTextLengthW(label);
  if (length <= 0) return {};
  std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(label, caption.data(), length + 1);
  caption.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return Utf16ToGbk(caption);
}

void Win32WindowLayer::WriteCaption(WindowKind window, std::string_view control,
                                    const Text& caption) {
  HWND label = ControlOf(window, control, ControlKind::kLabel);
  if (label == nullptr) label = ControlOf(window, control, ControlKind::kButton);
  if (label == nullptr) return;
  SetWindowTextW(label, GbkToUtf16(caption).c_str());
}

void Win32WindowLayer::SetVisible(WindowKind window, std::string_view control, bool visible) {
  ProgramWindow* open = OnGuiThread() ? OpenWindow(window) : nullptr;
  if (open == nullptr) return;
  for (ControlKind kind : {ControlKind::kLabel, ControlKind::kButton, ControlKind::kPictureBox,
                           ControlKind::kListBox}) {
    if (HWND child = open->Control(control, kind)) {
      ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE);
      return;
    }
  }
}

void Win32WindowLayer::SetHeight(WindowKind window, int height) {
  HWND handle = OnGuiThread() ? WindowHandle(window) : nullptr;
  RECT outer{};
  if (handle == nullptr || !GetWindowRect(handle, &outer)) return;
  // Left, top and width stay: the window grows or shrinks at its bottom edge.
  SetWindowPos(handle, nullptr, 0, 0, outer.right - outer.left, std::clamp(height, 0, kMaxHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32WindowLayer::AddItem(WindowKind window, std::string_view listBox, const Text& item) {
  HWND list = ControlOf(window, listBox, ControlKind::kListBox);
  if (list == nullptr) return;
  // The visible part of the list stays where it was. A line the list cannot store is
  // dropped (LB_ERRSPACE) without a message.
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GbkToUtf16(item).c_str()));
  if (top != LB_ERR) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

ProgramWindow* Win32WindowLayer::Build(WindowKind window) {
  std::unique_ptr<ProgramWindow>& slot = windows_[IndexOf(window)];
  WindowHost& host = *this;
  slot = std::make_unique<ProgramWindow>(host, DefinitionOf(window));
  if (!classRegistered_ || !slot->Create(instance_, kWindowClass)) {
    slot.reset();
    return nullptr;
  }
  // Registered before the created-handler runs: it writes into the window.
  if (!silenced_ && events_ != nullptr) events_->OnWindowCreated(window);
  return OpenWindow(window);
}

bool Win32WindowLayer::LoadStartWindow(WindowKind window) {
  if (!OnGuiThread() || silenced_ || OpenWindow(window) != nullptr) return false;
  ProgramWindow* start = Build(window);
  if (start == nullptr) return false;
  ShowWindow(start->handle(), SW_SHOW);
  UpdateWindow(start->handle());
  SetForegroundWindow(start->handle());
  return true;
}

void Win32WindowLayer::OpenModal(WindowKind window) {
  // The chain of modal windows never holds a window twice.
  if (!OnGuiThread() || silenced_ || OpenWindow(window) != nullptr) return;
  HWND opener = GetActiveWindow();
  ProgramWindow* modal = Build(window);
  if (modal == nullptr) return;
  ShowWindow(modal->handle(), SW_SHOW);
  SetForegroundWindow(modal->handle());

  DisabledWindows disabled;
  for (const auto& other : windows_) {
    if (other != nullptr && other.get() != modal && other->open())
      disabled.Disable(other->handle());
  }
  // Enabled again before the modal window goes, so that activation returns to the
  // program's own window and not to some other program's.
  modal->SetBeforeClose([&disabled] { disabled.Restore(); });

  int quitCode = 0;
  while (modal->open()) {
    if (!TakeAndDispatch(quitCode)) {
      PostQuitMessage(quitCode);  // for the outer loop
      break;
    }
  }
  modal->SetBeforeClose(nullptr);
  disabled.Restore();
  windows_[IndexOf(window)].reset();
  if (opener != nullptr && IsWindow(opener) && OwnerOf(opener) != nullptr) {
    SetForegroundWindow(opener);
  }
}

void Win32WindowLayer::CloseWindow(WindowKind window) {
  if (HWND handle = OnGuiThread() ? WindowHandle(window) : nullptr) {
    PostMessageW(handle, WM_CLOSE, 0, 0);
  }
}

void Win32WindowLayer::SetEventHandler(WindowEvents* events) {
  if (OnGuiThread()) events_ = events;
}

bool Win32WindowLayer::TakeAndDispatch(int& quitCode) {
  MSG message{};
  const BOOL taken = GetMessageW(&message, nullptr, 0, 0);
  if (taken == 0) {
    quitCode = static_cast<int>(message.wParam);
    return false;
  }
  if (taken == -1) return false;
  // Esc on any of the program's windows closes that (the active) window.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    if (ProgramWindow* target = OwnerOf(message.hwnd)) {
      PostMessageW(target->handle(), WM_CLOSE, 0, 0);
      return true;
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

void Win32WindowLayer::RunMessageLoop() {
  if (!OnGuiThread()) return;
  int quitCode = 0;
  while (AnyWindowOpen() && TakeAndDispatch(quitCode)) {
  }
}

void Win32WindowLayer::Dispatch(WindowKind window, std::string_view control, ControlEvent event) {
  if (silenced_ || events_ == nullptr) return;
  events_->OnControlEvent(window, control, event);
}

void Win32WindowLayer::WindowDestroyed() {
  if (!AnyWindowOpen()) PostQuitMessage(0);
}

const ScreenPicture& Win32WindowLayer::PictureFor(PictureId picture) {
  auto found = pictures_.find(picture);
  if (found == pictures_.end())
    found = pictures_.emplace(picture, LoadScreenPicture(picture)).first;
  return found->second;
}

void Win32WindowLayer::ShowFatalError(const Text& message) {
  silenced_ = true;
  // Task-modal: every window of the thread is disabled while the box shows.
  HWND owner = OnGuiThread() && OwnerOf(GetActiveWindow()) != nullptr ? GetActiveWindow() : nullptr;
  const std::wstring title = GbkToUtf16(DefinitionOf(WindowKind::kMainWindow).title.text());
  MessageBoxW(owner, GbkToUtf16(message).c_str(), title.c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32WindowLayer::Release() {
  silenced_ = true;
  // Windows belong to the GUI thread; from another thread only the events are stopped.
  if (!OnGuiThread()) return;
  events_ = nullptr;
  for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) window->reset();
  if (classRegistered_) {
    UnregisterClassW(kWindowClass, instance_);
    classRegistered_ = false;
  }
  bigIcon_.reset();
  smallIcon_.reset();
  pictures_.clear();
}

}  // namespace sw
