// Drives the real program from outside, as a user would: starts it, finds its windows
// by title, reads captions and run-log lines, and clicks and types with real input.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/window_definitions.h"

namespace sw::e2e {

using namespace std::chrono_literals;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// Dispatches this thread's messages (the test's own windows need them) until `done`
// holds or the time is up; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 8000ms);
// Dispatches this thread's messages for a while.
void PumpFor(std::chrono::milliseconds duration);

// The program under test, started with CreateProcess; ended at the latest on destruction.
class RunningProgram {
 public:
  // The program's path comes from the first command-line argument of the test.
  RunningProgram();
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool started() const { return process_ != nullptr; }
  // The program's visible top-level window of that kind, waiting for it to appear;
  // null when it does not.
  HWND WaitForWindow(WindowKind window, std::chrono::milliseconds limit = 8000ms);
  // The window of that kind now, or null.
  HWND FindWindowOf(WindowKind window) const;
  // The exit code once the process has ended within the limit.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit = 10000ms);

 private:
  UniqueHandle process_;
  DWORD processId_ = 0;
};

// The program's path (set by main from the command line).
void SetProgramPath(std::wstring path);

// The child window of `window` whose place and size in the client area are exactly the
// control's definition; null when there is none.
HWND ControlAt(HWND window, const ControlDefinition& control);
HWND ControlOf(HWND window, WindowKind kind, std::string_view name);

// The window's text; kNoAnswer while its program is busy (not answering within 2 s).
inline const std::wstring kNoAnswer = L"<no answer>";
std::wstring Caption(HWND window);
std::vector<std::wstring> ListItems(HWND listBox);
// The readable (UTF-8) text of a literal as UTF-16, for comparing with captions.
std::wstring Wide(std::string_view utf8);
SIZE OuterSize(HWND window);
RECT OuterRect(HWND window);

// Real input through SendInput.
void ClickAt(POINT screen, bool rightButton = false);
void ClickCentreOf(HWND window, bool rightButton = false);
void PressEscape();

}  // namespace sw::e2e
