#include "update/update_check.h"

#include <string_view>

#include "base/byte_set.h"
#include "http/web_access.h"
#include "update/update_constants.h"

namespace sw {
namespace {
constexpr std::string_view kOwnVersionLabel = "标签2";
constexpr std::string_view kLatestVersionLabel = "标签6";
constexpr std::string_view kViewUpdateButton = "按钮2";
}  // namespace

Text FetchPageText(Internet& internet, const Text& address) {
  return BytesToText(WebAccess(internet, address));
}

void CheckForUpdate(Ui& ui, Internet& internet) {
  const Text body = FetchPageText(internet, UpdateQueryAddress());
  const Text latest = TextBetween(body, kVersionLeftMark, kVersionRightMark, 0, false);
  ui.WriteCaption(WindowKind::kVersionWindow, kLatestVersionLabel, latest);
  const Text own = ui.ReadCaption(WindowKind::kVersionWindow, kOwnVersionLabel);
  ui.SetVisible(WindowKind::kVersionWindow, kViewUpdateButton, CompareText(latest, own) != 0);
}

void OpenReleasePage(Shell& shell) { shell.OpenWebAddress(kReleasePageAddress); }

}  // namespace sw
