// Where the update check asks for the newest version, and where the release page is.
// The newest version is published as a field of the public portrait query of the
// publisher's QQ account, which needs no server of our own.
#pragma once

#include "base/text.h"

namespace sw {

// The portrait query service's host and path, and the publisher's account number.
inline constexpr const char* kPortraitQueryHost = "r.qzone.qq.com";
inline constexpr const char* kPortraitQueryPath = "/fcg-bin/cgi_get_portrait.fcg";
inline constexpr const char* kPublisherAccount = "2840561372";

// The publisher's release page, opened in the default browser.
inline constexpr const char* kReleasePageAddress = "https://zandrel.example.com/signin/releases";

// The query address: "http://", host, path, "?", "uins=" and the account.
inline Text UpdateQueryAddress() {
  return Concat("http://", kPortraitQueryHost, kPortraitQueryPath, "?uins=", kPublisherAccount);
}

// The version field stands between the first comma-quote and the next quote-comma.
inline constexpr const char* kVersionLeftMark = ",\"";
inline constexpr const char* kVersionRightMark = "\",";

}  // namespace sw
