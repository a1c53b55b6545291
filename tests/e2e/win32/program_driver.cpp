#include "tests/e2e/win32/program_driver.h"

#include "platform/win32/text_utf16.h"

namespace sw::e2e {
namespace {

std::wstring programPath;

std::wstring WindowsPath(std::wstring path) {
  // Wine shows the Unix root as drive Z:.
  if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

}  // namespace

void SetProgramPath(std::wstring path) {
  programPath = WindowsPath(std::move(path));
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto giveUp = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

void PumpFor(std::chrono::milliseconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  PumpUntil([&] { return std::chrono::steady_clock::now() >= end; }, duration + 1000ms);
}

RunningProgram::RunningProgram() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + programPath + L"\"";
  if (!CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  process_.reset(process.hProcess);
  processId_ = process.dwProcessId;
}

RunningProgram::~RunningProgram() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 3);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND RunningProgram::FindWindowOf(WindowKind window) const {
  struct Search {
    DWORD processId;
    std::wstring title;
    HWND found = nullptr;
  } search{processId_, Wide(DefinitionOf(window).title.readable)};
  EnumWindows(
      [](HWND candidate, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (owner != s->processId || !IsWindowVisible(candidate)) return TRUE;
        if (Caption(candidate) != s->title) return TRUE;
        s->found = candidate;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RunningProgram::WaitForWindow(WindowKind window, std::chrono::milliseconds limit) {
  HWND found = nullptr;
  PumpUntil([&] { return (found = FindWindowOf(window)) != nullptr; }, limit);
  return found;
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds limit) {
  if (process_ == nullptr) return std::nullopt;
  const bool ended =
      PumpUntil([&] { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }, limit);
  DWORD code = 0;
  if (!ended || !GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

HWND ControlAt(HWND window, const ControlDefinition& control) {
  struct Search {
    HWND parent;
    RECT wanted;
    HWND found = nullptr;
  } search{window, RECT{control.left, control.top, control.left + control.width,
                        control.top + control.height}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        if (GetParent(child) != s->parent) return TRUE;
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(HWND_DESKTOP, s->parent, reinterpret_cast<POINT*>(&place), 2);
        if (!EqualRect(&place, &s->wanted)) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ControlOf(HWND window, WindowKind kind, std::string_view name) {
  const ControlDefinition* control = DefinitionOf(kind).Find(name);
  return control != nullptr && window != nullptr ? ControlAt(window, *control) : nullptr;
}

std::wstring Caption(HWND window) {
  wchar_t buffer[512] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 2000, &copied)) {
    return kNoAnswer;
  }
  return std::wstring(buffer, copied);
}

std::vector<std::wstring> ListItems(HWND listBox) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) break;
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    items.push_back(item);
  }
  return items;
}

std::wstring Wide(std::string_view utf8) {
  return Utf8ToUtf16(utf8);
}

RECT OuterRect(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return outer;
}

SIZE OuterSize(HWND window) {
  const RECT outer = OuterRect(window);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void ClickAt(POINT screen, bool rightButton) {
  SetCursorPos(screen.x, screen.y);
  PumpFor(50ms);
  SendMouse(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  SendMouse(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  PumpFor(100ms);
}

void ClickCentreOf(HWND window, bool rightButton) {
  const RECT outer = OuterRect(window);
  ClickAt(POINT{(outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2}, rightButton);
}

void PressEscape() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
  PumpFor(100ms);
}

}  // namespace sw::e2e
