// WebAccess on responses of any shape, over the recording Internet double: any header
// block, any body, reads that deliver little or fail, a header query that fails. The
// body comes back exactly as delivered, the raw headers as the platform gave them,
// the received cookies are those of the raw headers, and every handle is closed.
//
// Fields: switches (bit 0 cookies supplied, 1 merge, 2 header query fails, 3 send
// fails, 4 no redirect, 5 complete headers, 6 normalise header names), method, the
// most one read delivers, the offset at which a read fails (empty: none), cookies,
// request headers, raw response headers; the rest of the input is the body.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "http/cookies.h"
#include "http/web_access.h"
#include "tests/unit/http/recording_internet.h"

namespace sw::fuzz {
namespace {

constexpr std::size_t kReadChunk = 1024;
constexpr int kRawHeaderBuffer = 5000;

// The bytes the read loop collects: reads of at most one chunk, until a read gives
// nothing or fails.
std::string ExpectedBody(const test::PreparedResponse& response) {
  if (response.failSend) return {};
  std::size_t offset = 0;
  for (;;) {
    if (offset == response.failReadAt) break;
    const std::size_t count =
        std::min({kReadChunk, response.maxPerRead, response.body.size() - offset});
    if (count == 0) break;
    offset += count;
  }
  return response.body.substr(0, offset);
}

bool Bit(int switches, int bit) { return ((switches >> bit) & 1) != 0; }

}  // namespace
}  // namespace sw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sw::fuzz;
  FuzzInput input(data, size);
  const int switches = input.NextInt();
  const int method = input.NextInt();
  sw::test::PreparedResponse response;
  response.maxPerRead = static_cast<std::size_t>(std::clamp(input.NextInt(), 0, 4096));
  const std::optional<int> failReadAt = input.NextOptionalInt();
  if (failReadAt && *failReadAt >= 0) response.failReadAt = static_cast<std::size_t>(*failReadAt);
  const sw::Text cookieField = input.NextText();
  sw::Text requestHeaders = input.NextText();
  response.rawHeaders = input.NextText().bytes();
  response.failQuery = Bit(switches, 2);
  response.failSend = Bit(switches, 3);
  response.body = std::string(input.Rest());

  sw::test::RecordingInternet internet(response);
  sw::Text cookies = cookieField;
  sw::Text received;
  sw::Text rawHeaders;
  const bool cookiesSupplied = Bit(switches, 0);
  const bool merge = Bit(switches, 1);
  const sw::ByteSet body = sw::WebAccess(
      internet, "http://example.test/path?q=1", method, "text body",
      cookiesSupplied ? &cookies : nullptr, &received, &requestHeaders, &rawHeaders,
      Bit(switches, 4), nullptr, "", merge, Bit(switches, 5), Bit(switches, 6));

  Require(internet.openHandles() == 0, "every handle is closed");
  Require(std::string(body.view()) == ExpectedBody(response), "the body arrives as delivered");
  const bool headersDelivered = !response.failQuery && !response.failSend;
  Require(rawHeaders == (headersDelivered ? sw::Text(response.rawHeaders)
                                          : sw::BlankText(kRawHeaderBuffer)),
          "the raw headers are the platform's, or the buffer of spaces");
  if (cookiesSupplied && merge) {
    Require(received == cookies, "the merged cookies go to both outputs");
  } else {
    Require(received == sw::CollectReceivedCookies(rawHeaders),
            "the received cookies are those of the raw headers");
  }
  return 0;
}
