// What the desktop tests and the click_targets program agree on.
#pragma once

#include <windows.h>

namespace sw::test {

struct ClickTargets {
  static constexpr const wchar_t* kClassName = L"sw_click_targets";
  static constexpr const wchar_t* kTitles[2] = {L"target A", L"target B"};
  // Far apart, borderless (outer = client), and not under each other.
  static constexpr RECT kOuter[2] = {{100, 100, 300, 300}, {700, 500, 900, 700}};
  static constexpr POINT kClientTarget = {50, 60};
  // wParam 0 or 1: presses exactly at the target of window A or B; 2: anywhere else.
  static constexpr UINT kQueryMessage = WM_APP + 1;
};

}  // namespace sw::test
