// A window of the test's own, shaped like the sign-in prompt or not, that records the
// left-button presses it receives. Like a real prompt it can go away when answered.
#pragma once

#include <windows.h>

#include <vector>

namespace sw::e2e {

class RecordingWindow {
 public:
  // A borderless, topmost window whose outer rectangle is `outer`.
  RecordingWindow(RECT outer, bool closeWhenClicked);
  ~RecordingWindow();
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;

  HWND handle() const { return handle_; }
  // Left-button presses, in client coordinates.
  const std::vector<POINT>& presses() const { return presses_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  bool closeWhenClicked_;
  std::vector<POINT> presses_;
};

}  // namespace sw::e2e
