#include "platform/win32/ui_window.h"

#include <algorithm>
#include <utility>

#include "platform/win32/text_utf16.h"

namespace sw {
namespace {

// Control identifiers (and timer identifiers) are the definition index plus this.
constexpr UINT_PTR kFirstControlId = 100;
constexpr int kMaxOuterSize = 32767;

struct ControlClass {
  const wchar_t* className = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
};

DWORD LabelStyle(const ControlDefinition& control) {
  DWORD style = SS_NOPREFIX;  // captions come from the network too: '&' stays an '&'
  switch (control.align) {
    case TextAlign::kLeft:
      style |= SS_LEFT;
      break;
    case TextAlign::kCenter:
      style |= SS_CENTER;
      break;
    case TextAlign::kRight:
      style |= SS_RIGHT;
      break;
  }
  // One line, centred vertically; a wrapping label flows from the top instead.
  if (!control.wordWrap) style |= SS_CENTERIMAGE;
  return style;
}

ControlClass ClassOf(const ControlDefinition& control) {
  switch (control.kind) {
    case ControlKind::kLabel:
      return {L"STATIC", LabelStyle(control), 0};
    case ControlKind::kButton:
      return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::kPictureBox:
      return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
    // Not sorted; exactly the defined height; appending does not scroll it.
    case ControlKind::kListBox:
      return {L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case ControlKind::kTimer:
      break;
  }
  return {};
}

UniqueFont MakeFont(const FontSpec& font) {
  const std::wstring face = font.face != nullptr ? Utf8ToUtf16(font.face) : std::wstring();
  // A negative height asks for that character height; the captions are Chinese, so
  // ask for a font that has the glyphs whatever the display language.
  return UniqueFont(CreateFontW(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                face.empty() ? nullptr : face.c_str()));
}

}  // namespace

ProgramWindow::ProgramWindow(WindowHost& host, const WindowDefinition& definition)
    : host_(host), definition_(definition), controls_(definition.controls.size(), nullptr) {}

ProgramWindow::~ProgramWindow() {
  // Destroy while every member is alive: the procedure runs during the destruction.
  window_.reset();
}

bool ProgramWindow::Create(HINSTANCE instance, const wchar_t* className) {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - definition_.outerWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - definition_.outerHeight) / 2;
  const std::wstring title = GbkToUtf16(definition_.title.text());
  // Fixed single border, title bar with system menu, minimise and close; no maximise.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HWND window =
      CreateWindowExW(0, className, title.c_str(), style, left, top, definition_.outerWidth,
                      definition_.outerHeight, nullptr, nullptr, instance, this);
  if (window == nullptr) return false;
  for (std::size_t i = 0; i < definition_.controls.size(); ++i) {
    if (!CreateControl(i, instance)) return false;
  }
  ready_ = true;
  return true;
}

bool ProgramWindow::CreateControl(std::size_t index, HINSTANCE instance) {
  const ControlDefinition& control = definition_.controls[index];
  const UINT_PTR id = kFirstControlId + index;
  if (control.kind == ControlKind::kTimer) {
    return SetTimer(handle(), id, static_cast<UINT>(control.timerIntervalMs), nullptr) != 0;
  }
  const ControlClass kind = ClassOf(control);
  const std::wstring caption = GbkToUtf16(control.caption.text());
  const DWORD style = WS_CHILD | kind.style | (control.visible ? WS_VISIBLE : 0);
  HWND child = CreateWindowExW(kind.exStyle, kind.className, caption.c_str(), style, control.left,
                               control.top, control.width, control.height, handle(),
                               reinterpret_cast<HMENU>(id), instance, nullptr);
  if (child == nullptr) return false;
  controls_[index] = child;

  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!control.font.IsDefault()) {
    fonts_.push_back(MakeFont(control.font));
    if (fonts_.back() != nullptr) font = fonts_.back().get();
  }
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return true;
}

HWND ProgramWindow::Control(std::string_view name, ControlKind kind) const {
  for (std::size_t i = 0; i < definition_.controls.size(); ++i) {
    const ControlDefinition& control = definition_.controls[i];
    if (control.name == name && control.kind == kind) return controls_[i];
  }
  return nullptr;
}

const ControlDefinition* ProgramWindow::ControlById(UINT_PTR id) const {
  if (id < kFirstControlId || id - kFirstControlId >= definition_.controls.size()) return nullptr;
  return &definition_.controls[id - kFirstControlId];
}

void ProgramWindow::Notify(const ControlDefinition& control, ControlEvent event) {
  if (ready_ && control.event == event) host_.Dispatch(definition_.kind, control.name, event);
}

LRESULT CALLBACK ProgramWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<ProgramWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(window);
  }
  auto* self = reinterpret_cast<ProgramWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT ProgramWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = handle();
  switch (message) {
    case WM_COMMAND: {
      const ControlDefinition* control = ControlById(LOWORD(wParam));
      if (control == nullptr) break;
      // BN_CLICKED and STN_CLICKED share the code 0; a notifying static sends it when
      // the left button goes down on it.
      if (control->kind == ControlKind::kButton && HIWORD(wParam) == BN_CLICKED) {
        Notify(*control, ControlEvent::kClick);
      } else if (control->kind == ControlKind::kPictureBox && HIWORD(wParam) == STN_CLICKED) {
        Notify(*control, ControlEvent::kLeftPress);
      }
      return 0;
    }
    case WM_TIMER: {
      const ControlDefinition* control = ControlById(wParam);
      if (control != nullptr && control->kind == ControlKind::kTimer) {
        Notify(*control, ControlEvent::kTimer);
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const ControlDefinition* control = ControlById(item->CtlID);
      if (control == nullptr || control->kind != ControlKind::kPictureBox) break;
      PaintPicture(item->hDC, item->rcItem, host_.PictureFor(control->picture),
                   control->pictureMode);
      return TRUE;
    }
    case WM_GETMINMAXINFO: {
      // The program sets outer sizes itself (down to a bare 0); the user cannot resize.
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = POINT{0, 0};
      limits->ptMaxTrackSize = POINT{kMaxOuterSize, kMaxOuterSize};
      return 0;
    }
    case WM_CLOSE:
      if (beforeClose_) std::exchange(beforeClose_, nullptr)();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      for (std::size_t i = 0; i < definition_.controls.size(); ++i) {
        if (definition_.controls[i].kind == ControlKind::kTimer)
          KillTimer(window, kFirstControlId + i);
      }
      break;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      (void)window_.release();
      std::fill(controls_.begin(), controls_.end(), nullptr);
      ready_ = false;
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      host_.WindowDestroyed();
      return result;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace sw
