// One complete HTTP or HTTPS exchange through the Internet seam.
#pragma once

#include "base/byte_set.h"
#include "base/text.h"
#include "http/internet.h"

namespace sw {

// Returns the response body, empty on every failure. Out-parameters given as null are
// computed all the same and dropped. A null `cookies` (not supplied) differs from an
// empty one: supplying it turns the platform's cookie store off, sends the text itself
// and lets the received cookies be merged into it.
//   method            0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE,
//                     7 CONNECT; anything else counts as 0
//   postText          body text, used when postBytes is empty (not for GET)
//   cookies           in/out: "name=value; ..." to send; receives the merged text
//   receivedCookies   out: the pairs the response set
//   headers           in/out: extra request lines; receives the block as sent
//   responseHeaders   out: the raw response headers
//   noRedirect        do not follow redirects
//   postBytes         in/out: body bytes; receives the bytes of postText when empty
//   proxy             proxy address; empty connects directly
//   autoMergeCookies  merge the received cookies into `cookies`
//   completeHeaders   add the default headers the block lacks
//   normalizeHeaderNames  pass `headers` through NormalizeHeaders first
ByteSet WebAccess(Internet& internet, const Text& address, int method = 0,
                  const Text& postText = Text(), Text* cookies = nullptr,
                  Text* receivedCookies = nullptr, Text* headers = nullptr,
                  Text* responseHeaders = nullptr, bool noRedirect = false,
                  ByteSet* postBytes = nullptr, const Text& proxy = Text(),
                  bool autoMergeCookies = true, bool completeHeaders = true,
                  bool normalizeHeaderNames = true);

// The cookie pairs of the "Set-Cookie" lines of a raw header block, joined by "; ".
Text CollectReceivedCookies(const Text& rawHeaders);

}  // namespace sw
