// The window-layer operations that handlers and the watch tick use. Windows are
// addressed by kind (at most one of each is open at a time: the secondary windows are
// modal and open in a chain) and controls by the names of their window definitions.
#pragma once

#include <string_view>

#include "base/text.h"

namespace sw {

enum class WindowKind { kMainWindow, kVersionWindow, kAboutWindow, kEasterEggWindow, kContactWindow };

class Ui {
 public:
  virtual ~Ui() = default;
  // A new text holding the control's current caption.
  virtual Text ReadCaption(WindowKind window, std::string_view control) = 0;
  // The caption becomes a copy of the text and the control repaints.
  virtual void WriteCaption(WindowKind window, std::string_view control, const Text& caption) = 0;
  virtual void SetVisible(WindowKind window, std::string_view control, bool visible) = 0;
  // Outer height, clamped to 0..32627; left, top and width stay.
  virtual void SetHeight(WindowKind window, int height) = 0;
  // Appends a copy of the text as the last item; the list does not scroll.
  virtual void AddItem(WindowKind window, std::string_view listBox, const Text& item) = 0;
  // Opens the window modally; returns when it has closed.
  virtual void OpenModal(WindowKind window) = 0;
  // Asks the window to close; returns at once.
  virtual void CloseWindow(WindowKind window) = 0;
};

}  // namespace sw
