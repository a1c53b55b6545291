// The update check of VersionWindow: fetch the newest version, show it, and offer the
// release page when it differs from our own.
#pragma once

#include "base/text.h"
#include "http/internet.h"
#include "ui/ui.h"
#include "update/shell.h"

namespace sw {

// The body of a GET of the address with every default, as text (up to its first zero
// byte); empty on any failure.
Text FetchPageText(Internet& internet, const Text& address);

// Click handler of VersionWindow's "检查更新": blocks until the request is done.
void CheckForUpdate(Ui& ui, Internet& internet);

// Click handler of VersionWindow's "查看更新": hands the release page to the browser.
void OpenReleasePage(Shell& shell);

}  // namespace sw
