// The fixed definitions the program's windows are built from: title, outer size and
// controls (name, kind, place, size, initial caption, flags, font). Places are relative
// to the client area, in pixels.
#pragma once

#include <span>
#include <string_view>

#include "base/gbk_literal.h"
#include "ui/control_names.h"
#include "ui/ui.h"
#include "watcher/watch_tick.h"

namespace sw {

enum class ControlKind { kLabel, kButton, kPictureBox, kListBox, kTimer };
enum class TextAlign { kLeft, kCenter, kRight };
enum class PictureId { kNone, kMainPicture, kAuthorPicture, kContactPicture };
enum class PictureMode { kStretch, kFitAndCentre };

// A font of the window layer; height 0 and no face means the system's default GUI font.
struct FontSpec {
  int height = 0;       // character height in pixels
  bool bold = false;
  const char* face = nullptr;  // UTF-8 face name; null lets the system choose
  bool IsDefault() const { return height == 0 && !bold && face == nullptr; }
};

// Which event of a control the program handles.
enum class ControlEvent { kNone, kClick, kLeftPress, kTimer };

struct ControlDefinition {
  std::string_view name;  // the control's name, e.g. "标签4"
  ControlKind kind;
  int left, top, width, height;
  GbkLiteral caption{"", ""};
  bool visible = true;
  TextAlign align = TextAlign::kLeft;
  bool wordWrap = false;  // labels: wrap and show several lines; otherwise one line, centred vertically
  FontSpec font{};
  PictureId picture = PictureId::kNone;
  PictureMode pictureMode = PictureMode::kStretch;
  int timerIntervalMs = 0;
  ControlEvent event = ControlEvent::kNone;
};

struct WindowDefinition {
  WindowKind kind;
  GbkLiteral title;
  int outerWidth, outerHeight;
  std::span<const ControlDefinition> controls;

  // The control of that name, or null.
  const ControlDefinition* Find(std::string_view controlName) const;
};

const WindowDefinition& DefinitionOf(WindowKind kind);

// Every literal text of the windows, for the check that bytes and readable forms agree.
std::span<const GbkLiteral> WindowLiterals();


inline constexpr int kCollapsedMainHeight = 141;
inline constexpr int kExpandedMainHeight = 300;

}  // namespace sw
