// Taking addresses apart. Every address gives some result, quickly; the path is "/" or
// a tail of the address that begins with "/"; the host is free of upper-case letters.
//
// Fields: address, domain only, keep port, label count (empty: not given).
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "http/url.h"

namespace sw::fuzz {
namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool HasUpperAscii(const Text& text) {
  for (const char c : text.view()) {
    if (c >= 'A' && c <= 'Z') return true;
  }
  return false;
}

}  // namespace
}  // namespace sw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sw::fuzz;
  FuzzInput input(data, size);
  const sw::Text address = input.NextText();
  const bool domainOnly = input.NextBool();
  const bool keepPort = input.NextBool();
  const std::optional<int> labelCount = input.NextOptionalInt();

  const sw::Text host = sw::UrlHost(address, domainOnly, keepPort, labelCount);
  // Upper-case bytes can survive only as the second byte of a double-byte character.
  if (!HasUpperAscii(address)) Require(!HasUpperAscii(host), "the host is lower case");
  Require(host.size() <= address.size() + 1, "the host is no longer than the address");

  const sw::Text path = sw::UrlPath(address);
  Require(path == sw::Text("/") ||
              (path.view().front() == '/' && EndsWith(address.view(), path.view())),
          "the path is \"/\" or a tail of the address beginning with \"/\"");
  (void)sw::UrlPort(address);
  (void)sw::UrlHost(address);
  return 0;
}
