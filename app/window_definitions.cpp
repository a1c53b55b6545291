#include "app/window_definitions.h"

#include <array>

namespace sw {
namespace {

using CK = ControlKind;
using TA = TextAlign;

// Fonts.
constexpr FontSpec kCounterFont{19, true, nullptr};                       // 标签4: bold 19 px
constexpr FontSpec kVersionTitleFont{29, false, nullptr};                 // T
constexpr FontSpec kVersionFont{24, true, "@Microsoft YaHei UI"};         // V
constexpr FontSpec kLatestVersionFont{24, true, "微软雅黑"};               // L

// MainWindow
constexpr GbkLiteral kMainTitle{"Zandrel\xd7\xd4\xb6\xaf\xc7\xa9\xb5\xbd", "Zandrel自动签到"};
constexpr GbkLiteral kRunningCaption{"\xd7\xd4\xb6\xaf\xc7\xa9\xb5\xbd\xd5\xfd\xd4\xda\xd4\xcb\xd0\xd0",
                                     "自动签到正在运行"};
constexpr GbkLiteral kCountCaption{"\xc7\xa9\xb5\xbd\xb4\xce\xca\xfd\xa3\xba", "签到次数："};
constexpr GbkLiteral kZero{"0", "0"};
constexpr GbkLiteral kRunLogCaption{"\xd4\xcb\xd0\xd0\xc8\xd5\xd6\xbe", "运行日志"};
constexpr GbkLiteral kVersionInfoCaption{"\xb0\xe6\xb1\xbe\xd0\xc5\xcf\xa2", "版本信息"};

constexpr std::array kMainControls{
    ControlDefinition{.name = "标签1", .kind = CK::kLabel, .left = 96, .top = 16, .width = 152,
                      .height = 24, .caption = kRunningCaption, .align = TA::kCenter},
    ControlDefinition{.name = "标签2", .kind = CK::kLabel, .left = 128, .top = 48, .width = 64,
                      .height = 24, .caption = kCountCaption, .align = TA::kRight},
    ControlDefinition{.name = "标签4", .kind = CK::kLabel, .left = 200, .top = 48, .width = 40,
                      .height = 24, .caption = kZero, .align = TA::kLeft, .font = kCounterFont},
    ControlDefinition{.name = "按钮2", .kind = CK::kButton, .left = 128, .top = 80, .width = 80,
                      .height = 32, .caption = kRunLogCaption, .event = ControlEvent::kClick},
    ControlDefinition{.name = "按钮3", .kind = CK::kButton, .left = 208, .top = 80, .width = 64,
                      .height = 32, .caption = kVersionInfoCaption, .event = ControlEvent::kClick},
    ControlDefinition{.name = "图片框1", .kind = CK::kPictureBox, .left = 16, .top = 8, .width = 72,
                      .height = 112, .picture = PictureId::kMainPicture,
                      .pictureMode = PictureMode::kStretch, .event = ControlEvent::kLeftPress},
    ControlDefinition{.name = "列表框1", .kind = CK::kListBox, .left = 8, .top = 120, .width = 264,
                      .height = 144},
    ControlDefinition{.name = "时钟1检测周期", .kind = CK::kTimer, .left = 0, .top = 0, .width = 0,
                      .height = 0, .visible = false, .timerIntervalMs = kWatchIntervalMilliseconds,
                      .event = ControlEvent::kTimer},
};

// VersionWindow
constexpr GbkLiteral kCurrentVersionCaption{"\xb5\xb1\xc7\xb0\xb0\xe6\xb1\xbe\xd0\xc5\xcf\xa2\xa3\xba",
                                            "当前版本信息："};
constexpr GbkLiteral kV{"V", "V"};
constexpr GbkLiteral kOwnVersion{"5.6", "5.6"};
constexpr GbkLiteral kLatestVersionCaption{"\xd7\xee\xd0\xc2\xb0\xe6\xb1\xbe\xd0\xc5\xcf\xa2\xa3\xba",
                                           "最新版本信息："};
constexpr GbkLiteral kNotCheckedYet{"\xb4\xfd\xbc\xec\xb2\xe2", "待检测"};
constexpr GbkLiteral kViewUpdateCaption{"\xb2\xe9\xbf\xb4\xb8\xfc\xd0\xc2", "查看更新"};
constexpr GbkLiteral kCheckUpdateCaption{"\xbc\xec\xb2\xe9\xb8\xfc\xd0\xc2", "检查更新"};
constexpr GbkLiteral kAuthorCaption{"\xd7\xf7\xd5\xdf", "作者"};

constexpr std::array kVersionControls{
    ControlDefinition{.name = "标签1", .kind = CK::kLabel, .left = 24, .top = 8, .width = 184,
                      .height = 48, .caption = kCurrentVersionCaption, .font = kVersionTitleFont},
    ControlDefinition{.name = "标签4", .kind = CK::kLabel, .left = 248, .top = 16, .width = 16,
                      .height = 32, .caption = kV, .font = kVersionFont},
    ControlDefinition{.name = "标签2", .kind = CK::kLabel, .left = 272, .top = 8, .width = 48,
                      .height = 48, .caption = kOwnVersion, .font = kVersionFont},
    ControlDefinition{.name = "标签3", .kind = CK::kLabel, .left = 24, .top = 64, .width = 184,
                      .height = 40, .caption = kLatestVersionCaption, .font = kVersionTitleFont},
    ControlDefinition{.name = "标签5", .kind = CK::kLabel, .left = 248, .top = 72, .width = 16,
                      .height = 32, .caption = kV, .font = kVersionFont},
    ControlDefinition{.name = "标签6", .kind = CK::kLabel, .left = 272, .top = 72, .width = 80,
                      .height = 32, .caption = kNotCheckedYet, .font = kLatestVersionFont},
    ControlDefinition{.name = "按钮2", .kind = CK::kButton, .left = 72, .top = 128, .width = 64,
                      .height = 32, .caption = kViewUpdateCaption, .visible = false,
                      .event = ControlEvent::kClick},
    ControlDefinition{.name = "按钮3", .kind = CK::kButton, .left = 160, .top = 128, .width = 64,
                      .height = 32, .caption = kCheckUpdateCaption, .event = ControlEvent::kClick},
    ControlDefinition{.name = "按钮1", .kind = CK::kButton, .left = 248, .top = 128, .width = 32,
                      .height = 32, .caption = kAuthorCaption, .event = ControlEvent::kClick},
};

// AboutWindow
constexpr GbkLiteral kAboutTitle{"Hi\xa1\xab", "Hi～"};
constexpr GbkLiteral kSignature{"Zandrel \xb3\xf6\xc6\xb7", "Zandrel 出品"};
constexpr GbkLiteral kAffiliation{"\xb6\xc0\xc1\xa2\xbf\xaa\xb7\xa2\xd5\xdf", "独立开发者"};

constexpr std::array kAboutControls{
    ControlDefinition{.name = "图片框1", .kind = CK::kPictureBox, .left = 8, .top = 8, .width = 64,
                      .height = 64, .picture = PictureId::kAuthorPicture,
                      .pictureMode = PictureMode::kStretch},
    ControlDefinition{.name = "标签1", .kind = CK::kLabel, .left = 96, .top = 16, .width = 80,
                      .height = 16, .caption = kSignature, .align = TA::kCenter},
    ControlDefinition{.name = "标签2", .kind = CK::kLabel, .left = 88, .top = 40, .width = 88,
                      .height = 24, .caption = kAffiliation},
};

// EasterEggWindow
constexpr GbkLiteral kEasterEggTitle{"\xd2\xfe\xb2\xd8\xb2\xca\xb5\xb0", "隐藏彩蛋"};
constexpr GbkLiteral kGreeting{
    "\xdf\xcf\xa3\xac\xb6\xbc\xd5\xd2\xb5\xbd\xd5\xe2\xc0\xb4\xc0\xb2\xa3\xbf\x0d\x0a"
    "\xc4\xc7\xbe\xcd\xbc\xd3\xb8\xf6QQ\xb0\xc9\xa1\xab",
    "呦，都找到这来啦？\r\n那就加个QQ吧～"};
constexpr GbkLiteral kAgreeCaption{"\xcd\xac\xd2\xe2", "同意"};
constexpr GbkLiteral kCancelCaption{"\xc8\xa1\xcf\xfb", "取消"};

constexpr std::array kEasterEggControls{
    ControlDefinition{.name = "标签1", .kind = CK::kLabel, .left = 16, .top = 8, .width = 112,
                      .height = 32, .caption = kGreeting, .wordWrap = true},
    ControlDefinition{.name = "按钮1", .kind = CK::kButton, .left = 136, .top = 8, .width = 40,
                      .height = 32, .caption = kAgreeCaption, .event = ControlEvent::kClick},
    ControlDefinition{.name = "按钮2", .kind = CK::kButton, .left = 176, .top = 8, .width = 32,
                      .height = 32, .caption = kCancelCaption, .event = ControlEvent::kClick},
};

// ContactWindow
constexpr GbkLiteral kContactTitle{"QQ", "QQ"};
constexpr std::array kContactControls{
    ControlDefinition{.name = "图片框1", .kind = CK::kPictureBox, .left = -8, .top = 0, .width = 320,
                      .height = 408, .picture = PictureId::kContactPicture,
                      .pictureMode = PictureMode::kFitAndCentre},
};

constexpr WindowDefinition kMainWindow{WindowKind::kMainWindow, kMainTitle, 284, 141, kMainControls};
constexpr WindowDefinition kVersionWindow{WindowKind::kVersionWindow, kVersionInfoCaption, 364, 191,
                                          kVersionControls};
constexpr WindowDefinition kAboutWindow{WindowKind::kAboutWindow, kAboutTitle, 197, 98, kAboutControls};
constexpr WindowDefinition kEasterEggWindow{WindowKind::kEasterEggWindow, kEasterEggTitle, 223, 73,
                                            kEasterEggControls};
constexpr WindowDefinition kContactWindow{WindowKind::kContactWindow, kContactTitle, 318, 435,
                                          kContactControls};

constexpr std::array kLiterals{kMainTitle,       kRunningCaption,    kCountCaption,
                               kZero,            kRunLogCaption,     kVersionInfoCaption,
                               kCurrentVersionCaption, kV,           kOwnVersion,
                               kLatestVersionCaption, kNotCheckedYet, kViewUpdateCaption,
                               kCheckUpdateCaption, kAuthorCaption,  kAboutTitle,
                               kSignature,       kAffiliation,       kEasterEggTitle,
                               kGreeting,        kAgreeCaption,      kCancelCaption,
                               kContactTitle};

}  // namespace

const ControlDefinition* WindowDefinition::Find(std::string_view controlName) const {
  for (const ControlDefinition& control : controls) {
    if (control.name == controlName) return &control;
  }
  return nullptr;
}

const WindowDefinition& DefinitionOf(WindowKind kind) {
  switch (kind) {
    case WindowKind::kMainWindow: return kMainWindow;
    case WindowKind::kVersionWindow: return kVersionWindow;
    case WindowKind::kAboutWindow: return kAboutWindow;
    case WindowKind::kEasterEggWindow: return kEasterEggWindow;
    case WindowKind::kContactWindow: return kContactWindow;
  }
  return kMainWindow;
}

std::span<const GbkLiteral> WindowLiterals() { return kLiterals; }

}  // namespace sw
