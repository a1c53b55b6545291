// The Windows half of the long run: starts the real program, then for the given time
// shows prompt-shaped windows that appear and vanish every few seconds, and reports
// what happened. Built by the MinGW build; bench/long_run/long_run_wine.sh runs it
// under Wine.
//
//   prompt_cycler PROGRAM.exe [SECONDS]
//
// Reports: prompts shown and answered, clicks on them, clicks that landed on the
// background (where no prompt was any more), the program's counter and run-log lines,
// its working set, handle count and GDI/USER objects at the start and the end. Its CPU
// use while no prompt is shown is measured from outside (Wine answers GetProcessTimes
// for another process with the caller's own times): the cycler marks that phase with
// the lines "idle phase starts" and "idle phase ends". It then closes the program (its
// exit code is reported) and waits as long again between "baseline phase starts" and
// "baseline phase ends", so that the Wine server's load without the program can be
// told from its load with it.
// clang-format off
#include <windows.h>
#include <psapi.h>  // needs windows.h first
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/win32/program_driver.h"
#include "ui/control_names.h"

namespace sw::e2e {
namespace {

using Clock = std::chrono::steady_clock;

struct Usage {
  std::size_t workingSetKiB = 0;
  DWORD handles = 0;
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
};

Usage UsageOf(HANDLE process) {
  Usage usage;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (K32GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    usage.workingSetKiB = counters.WorkingSetSize / 1024;
  }
  GetProcessHandleCount(process, &usage.handles);
  usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  return usage;
}

void Print(const char* when, const Usage& usage) {
  std::printf("%s: working set %zu KiB, %lu handles, %lu GDI and %lu USER objects\n", when,
              usage.workingSetKiB, static_cast<unsigned long>(usage.handles),
              static_cast<unsigned long>(usage.gdiObjects),
              static_cast<unsigned long>(usage.userObjects));
}

// A borderless topmost window that records its left-button presses with the time of
// the input (GetMessageTime), so that presses of one tick can be told from those of
// the next however late this program gets to look.
class PressRecorder {
 public:
  struct Press {
    POINT point;
    DWORD time;
  };

  PressRecorder(RECT outer, bool topmost) {
    static const bool registered = [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = &Procedure;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
      windowClass.lpszClassName = L"SwLongRunPrompt";
      return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
    handle_ = CreateWindowExW((topmost ? WS_EX_TOPMOST : 0) | WS_EX_TOOLWINDOW, L"SwLongRunPrompt",
                              L"prompt", WS_POPUP, outer.left, outer.top, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                              this);
    if (handle_ != nullptr) ShowWindow(handle_, SW_SHOWNOACTIVATE);
  }
  ~PressRecorder() {
    if (handle_ != nullptr) DestroyWindow(handle_);
  }
  PressRecorder(const PressRecorder&) = delete;
  PressRecorder& operator=(const PressRecorder&) = delete;

  const std::vector<Press>& presses() const { return presses_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PressRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_LBUTTONDOWN) {
      POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(window, &point);
      self->presses_.push_back({point, static_cast<DWORD>(GetMessageTime())});
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND handle_ = nullptr;
  std::vector<Press> presses_;
};

struct LivePrompt {
  std::unique_ptr<PressRecorder> window;
  RECT rect{};
  Clock::time_point end;
  std::size_t pressesSeen = 0;
};

struct RetiredPrompt {
  RECT rect{};
  DWORD at = 0;  // GetTickCount when it went
};

bool Inside(const RECT& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

// Two presses on one prompt closer together than this came from one tick.
constexpr DWORD kSameTickMs = 1500;
// A stray click this soon after a prompt at that point went is the race between the
// program's look at the desktop and its click, not a click on a vanished window.
constexpr DWORD kVanishRaceMs = 1000;

int Run(int seconds) {
  // Below the prompts, which stay on top: screen-sized, ratio 1.6, never a prompt.
  PressRecorder background(RECT{0, 0, 1280, 800}, false);
  RunningProgram program;
  const HWND main = program.WaitForWindow(WindowKind::kMainWindow, std::chrono::seconds(60));
  if (main == nullptr) {
    std::fprintf(stderr, "the program's main window did not appear\n");
    return 1;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  const UniqueHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  PumpFor(std::chrono::seconds(5));
  Print("start", UsageOf(process.get()));

  // A new prompt every 3 to 6 s, each shown for 4 to 9 s, outer size round(0.93 h) x h,
  // in a free cell of a 3 x 2 grid: overlapping prompts would take each other's clicks.
  constexpr int kColumns = 3;
  constexpr int kRows = 2;
  constexpr int kCellWidth = 420;
  constexpr int kCellHeight = 400;
  std::mt19937 random(20261211);
  const auto between = [&](int low, int high) {
    return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
  };
  std::vector<LivePrompt> live;
  std::vector<int> cellOf;  // parallel to live
  std::vector<RetiredPrompt> retired;
  int shown = 0;
  int answered = 0;
  std::size_t clicks = 0;
  std::size_t sameTickPairs = 0;
  std::size_t strayRaces = 0;
  std::size_t strayUnexplained = 0;
  std::size_t strayChecked = 0;
  // Presses not yet looked at.
  const auto watch = [&] {
    for (LivePrompt& prompt : live) {
      const std::vector<PressRecorder::Press>& presses = prompt.window->presses();
      for (; prompt.pressesSeen < presses.size(); ++prompt.pressesSeen) {
        const std::size_t i = prompt.pressesSeen;
        if (i > 0 && presses[i].time - presses[i - 1].time < kSameTickMs) {
          ++sameTickPairs;
          std::printf("two presses %lu ms apart on one prompt\n",
                      static_cast<unsigned long>(presses[i].time - presses[i - 1].time));
        }
      }
    }
    const std::vector<PressRecorder::Press>& strays = background.presses();
    for (; strayChecked < strays.size(); ++strayChecked) {
      const PressRecorder::Press& press = strays[strayChecked];
      bool race = false;
      for (const RetiredPrompt& gone : retired) {
        race = race || (Inside(gone.rect, press.point) && press.time - gone.at < kVanishRaceMs);
      }
      ++(race ? strayRaces : strayUnexplained);
      std::printf("stray click at (%ld, %ld)%s\n", press.point.x, press.point.y,
                  race ? ", where a prompt had just gone" : "");
    }
  };
  const auto retire = [&](LivePrompt& prompt) {
    const std::size_t presses = prompt.window->presses().size();
    clicks += presses;
    if (presses > 0) ++answered;
    prompt.window.reset();
    retired.push_back({prompt.rect, GetTickCount()});
  };
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds);
  Clock::time_point next = Clock::now();
  while (Clock::now() < deadline || !live.empty()) {
    const Clock::time_point now = Clock::now();
    if (now >= next && now < deadline && live.size() < kColumns * kRows) {
      int cell = between(0, kColumns * kRows - 1);
      while (std::find(cellOf.begin(), cellOf.end(), cell) != cellOf.end()) {
        cell = (cell + 1) % (kColumns * kRows);
      }
      const int height = between(200, 380);
      const int width = (height * 93 + 50) / 100;
      const int left = (cell % kColumns) * kCellWidth + between(0, kCellWidth - width);
      const int top = (cell / kColumns) * kCellHeight + between(0, kCellHeight - height);
      const RECT rect{left, top, left + width, top + height};
      live.push_back({std::make_unique<PressRecorder>(rect, true), rect,
                      now + std::chrono::seconds(between(4, 9))});
      cellOf.push_back(cell);
      ++shown;
      next = now + std::chrono::seconds(between(3, 6));
    }
    watch();
    for (std::size_t i = live.size(); i-- > 0;) {
      if (now < live[i].end) continue;
      retire(live[i]);
      live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
      cellOf.erase(cellOf.begin() + static_cast<std::ptrdiff_t>(i));
    }
    PumpFor(std::chrono::milliseconds(100));
  }
  PumpFor(std::chrono::seconds(1));
  watch();

  constexpr int kIdleSeconds = 30;
  std::printf("idle phase starts: %d s\n", kIdleSeconds);
  std::fflush(stdout);
  PumpFor(std::chrono::seconds(kIdleSeconds));
  std::printf("idle phase ends\n");
  std::fflush(stdout);

  const HWND counter = ControlOf(main, WindowKind::kMainWindow, controls::kCounterLabel);
  const HWND runLog = ControlOf(main, WindowKind::kMainWindow, controls::kRunLog);
  const std::wstring count = counter != nullptr ? Caption(counter) : L"?";
  const std::size_t logLines = runLog != nullptr ? ListItems(runLog).size() : 0;
  Print("end", UsageOf(process.get()));
  std::printf("run: %d s, %d prompts, %d answered, %zu clicks on prompts\n", seconds, shown,
              answered, clicks);
  std::printf("counter %ls, %zu run-log lines\n", count.c_str(), logLines);
  // Every click the program made is counted; those not on a prompt went astray,
  // wherever they landed (the background, or the program's own window).
  const std::size_t counted = static_cast<std::size_t>(std::wcstoul(count.c_str(), nullptr, 10));
  const std::size_t astray = counted > clicks ? counted - clicks : 0;
  std::printf(
      "clicks where no prompt was: %zu (%zu on the background, %zu of those just "
      "after the prompt there went)\n",
      astray, background.presses().size(), strayRaces);
  std::printf("prompts clicked twice within one tick: %zu\n", sameTickPairs);
  PostMessageW(main, WM_CLOSE, 0, 0);
  const std::optional<DWORD> exitCode = program.WaitForExit(std::chrono::seconds(30));
  std::printf("program closed, exit code %ld\n", exitCode ? static_cast<long>(*exitCode) : -1L);
  std::printf("baseline phase starts: %d s\n", kIdleSeconds);
  std::fflush(stdout);
  PumpFor(std::chrono::seconds(kIdleSeconds));
  std::printf("baseline phase ends\n");
  std::fflush(stdout);
  // The run log also holds the program's start line.
  const bool consistent = exitCode == 0u && answered == shown && astray == strayRaces &&
                          sameTickPairs == 0 && logLines == counted + 1;
  return consistent ? 0 : 1;
}

}  // namespace
}  // namespace sw::e2e

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM.exe [SECONDS]\n", argv[0]);
    return 2;
  }
  sw::e2e::SetProgramPath(sw::e2e::Wide(argv[1]));
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 600;
  const int result = sw::e2e::Run(seconds > 0 ? seconds : 600);
  std::fflush(stdout);
  return result;
}
