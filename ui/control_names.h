// The names of the controls that handlers and the watch tick address, as their window
// definitions name them (UTF-8).
#pragma once

#include <string_view>

namespace sw::controls {

inline constexpr std::string_view kCounterLabel = "标签4";       // MainWindow: sign-in count
inline constexpr std::string_view kRunLogButton = "按钮2";       // MainWindow: run-log toggle
inline constexpr std::string_view kVersionButton = "按钮3";      // MainWindow: open VersionWindow
inline constexpr std::string_view kMainPicture = "图片框1";      // MainWindow: hidden easter egg
inline constexpr std::string_view kRunLog = "列表框1";           // MainWindow: the run log
inline constexpr std::string_view kWatchTimer = "时钟1检测周期";  // MainWindow: the watch timer
inline constexpr std::string_view kOwnVersionLabel = "标签2";    // VersionWindow
inline constexpr std::string_view kLatestVersionLabel = "标签6"; // VersionWindow
inline constexpr std::string_view kViewUpdateButton = "按钮2";   // VersionWindow: open release page
inline constexpr std::string_view kCheckUpdateButton = "按钮3";  // VersionWindow: check for update
inline constexpr std::string_view kAuthorButton = "按钮1";       // VersionWindow: open AboutWindow
inline constexpr std::string_view kAgreeButton = "按钮1";        // EasterEggWindow: open ContactWindow
inline constexpr std::string_view kCancelButton = "按钮2";       // EasterEggWindow: close

}  // namespace sw::controls
