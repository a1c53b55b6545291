#include "update/update_check.h"

#include "base/byte_set.h"
#include "http/web_access.h"
#include "ui/control_names.h"
#include "update/update_constants.h"

namespace sw {

Text FetchPageText(Internet& internet, const Text& address) {
  return BytesToText(WebAccess(internet, address));
}

void CheckForUpdate(Ui& ui, Internet& internet) {
  const Text body = FetchPageText(internet, UpdateQueryAddress());
  const Text latest = TextBetween(body, kVersionLeftMark, kVersionRightMark, 0, false);
  ui.WriteCaption(WindowKind::kVersionWindow, controls::kLatestVersionLabel, latest);
  const Text own = ui.ReadCaption(WindowKind::kVersionWindow, controls::kOwnVersionLabel);
  ui.SetVisible(WindowKind::kVersionWindow, controls::kViewUpdateButton,
                CompareText(latest, own) != 0);
}

void OpenReleasePage(Shell& shell) {
  shell.OpenWebAddress(kReleasePageAddress);
}

}  // namespace sw
