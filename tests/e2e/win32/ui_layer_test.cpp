// The window layer in process against the real USER32 and GDI32 under Wine: what an
// outside driver cannot see (styles, fonts, list scrolling, height limits, GBK at the
// edge).
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/ui_win32.h"
#include "tests/e2e/win32/program_driver.h"

namespace sw::e2e {
namespace {

struct NoEvents final : WindowEvents {
  void OnWindowCreated(WindowKind) override {}
  void OnControlEvent(WindowKind, std::string_view, ControlEvent) override {}
};

class WindowLayerTest : public ::testing::Test {
 protected:
  HWND Load(WindowKind kind) {
    layer.SetEventHandler(&events);
    EXPECT_TRUE(layer.LoadStartWindow(kind));
    return layer.WindowHandle(kind);
  }

  NoEvents events;
  Win32WindowLayer layer{GetModuleHandleW(nullptr)};
};

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  GetObjectW(handle, sizeof(font), &font);
  return font;
}

TEST_F(WindowLayerTest, EveryControlHasTheStyleAndFontOfItsDefinition) {
  LOGFONTW defaultFont{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(defaultFont), &defaultFont);
  for (WindowKind kind :
       {WindowKind::kMainWindow, WindowKind::kVersionWindow, WindowKind::kAboutWindow,
        WindowKind::kEasterEggWindow, WindowKind::kContactWindow}) {
    HWND window = Load(kind);
    ASSERT_NE(window, nullptr);
    for (const ControlDefinition& control : DefinitionOf(kind).controls) {
      if (control.kind == ControlKind::kTimer) continue;
      SCOPED_TRACE(std::string(DefinitionOf(kind).title.readable) + " " +
                   std::string(control.name));
      HWND child = ControlAt(window, control);
      ASSERT_NE(child, nullptr);
      const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
      if (control.kind == ControlKind::kLabel) {
        const LONG_PTR align = control.align == TextAlign::kCenter  ? SS_CENTER
                               : control.align == TextAlign::kRight ? SS_RIGHT
                                                                    : SS_LEFT;
        EXPECT_EQ(style & SS_TYPEMASK, align);
        // One-line labels are centred vertically; a wrapping one flows from the top.
        EXPECT_EQ((style & SS_CENTERIMAGE) != 0, !control.wordWrap);
      } else if (control.kind == ControlKind::kListBox) {
        EXPECT_EQ(style & LBS_SORT, 0);
      } else if (control.kind == ControlKind::kPictureBox) {
        EXPECT_EQ(style & SS_TYPEMASK, SS_OWNERDRAW);
        EXPECT_NE(style & SS_NOTIFY, 0);
      }
      const LOGFONTW font = FontOf(child);
      if (control.font.IsDefault()) {
        EXPECT_EQ(font.lfHeight, defaultFont.lfHeight);
        EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(defaultFont.lfFaceName));
      } else {
        EXPECT_EQ(font.lfHeight, -control.font.height);
        EXPECT_EQ(font.lfWeight, control.font.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(std::wstring(font.lfFaceName),
                  control.font.face != nullptr ? Wide(control.font.face) : L"");
      }
    }
  }
}

TEST_F(WindowLayerTest, AppendedLinesKeepTheirOrderAndDoNotScrollTheList) {
  HWND main = Load(WindowKind::kMainWindow);
  HWND list = ControlOf(main, WindowKind::kMainWindow, controls::kRunLog);
  ASSERT_NE(list, nullptr);
  layer.SetHeight(WindowKind::kMainWindow, kExpandedMainHeight);
  // 2020年3月9日 and 2020年3月10日: in insertion order, not sorted.
  layer.AddItem(WindowKind::kMainWindow, controls::kRunLog,
                Text("2020\xc4\xea"
                     "3\xd4\xc2"
                     "9\xc8\xd5"));
  layer.AddItem(WindowKind::kMainWindow, controls::kRunLog,
                Text("2020\xc4\xea"
                     "3\xd4\xc2"
                     "10\xc8\xd5"));
  for (int i = 0; i < 30; ++i) layer.AddItem(WindowKind::kMainWindow, controls::kRunLog, Text("x"));
  const std::vector<std::wstring> items = ListItems(list);
  ASSERT_EQ(items.size(), 32u);
  EXPECT_EQ(items[0], Wide("2020年3月9日"));
  EXPECT_EQ(items[1], Wide("2020年3月10日"));
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
  // Longer than its box: the vertical scroll bar is there to reach the newest lines.
  EXPECT_NE(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL, 0);

  SendMessageW(list, LB_SETTOPINDEX, 5, 0);
  layer.AddItem(WindowKind::kMainWindow, controls::kRunLog, Text("y"));
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 5);
}

TEST_F(WindowLayerTest, SetHeightMovesOnlyTheBottomEdgeWithinItsLimits) {
  HWND main = Load(WindowKind::kMainWindow);
  const RECT before = OuterRect(main);
  for (const auto& [asked, expected] :
       {std::pair{300, 300}, std::pair{141, 141}, std::pair{-5, 0}, std::pair{40000, 32627}}) {
    SCOPED_TRACE(asked);
    layer.SetHeight(WindowKind::kMainWindow, asked);
    const RECT after = OuterRect(main);
    EXPECT_EQ(after.bottom - after.top, expected);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
  }
}

TEST_F(WindowLayerTest, CaptionsAreGbkInsideAndUtf16OnScreen) {
  HWND main = Load(WindowKind::kMainWindow);
  HWND counter = ControlOf(main, WindowKind::kMainWindow, controls::kCounterLabel);
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(layer.ReadCaption(WindowKind::kMainWindow, controls::kCounterLabel), Text("0"));
  for (const char* gbk : {"\xb4\xfd\xbc\xec\xb2\xe2" /* 待检测 */, "5.7", ""}) {
    layer.WriteCaption(WindowKind::kMainWindow, controls::kCounterLabel, Text(gbk));
    EXPECT_EQ(layer.ReadCaption(WindowKind::kMainWindow, controls::kCounterLabel), Text(gbk));
  }
  layer.WriteCaption(WindowKind::kMainWindow, controls::kCounterLabel,
                     Text("\xb4\xfd\xbc\xec\xb2\xe2"));
  EXPECT_EQ(Caption(counter), Wide("待检测"));
  // Names that are not controls of the window read empty and change nothing.
  EXPECT_EQ(layer.ReadCaption(WindowKind::kMainWindow, "no such control"), Text());
  EXPECT_EQ(layer.ReadCaption(WindowKind::kVersionWindow, controls::kLatestVersionLabel), Text());
}

}  // namespace
}  // namespace sw::e2e
