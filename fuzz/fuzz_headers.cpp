// Preparing header blocks. Normalising leaves only lines with a colon, joined by CR LF
// with none at either end, and a second pass changes nothing.
//
// Fields: block, name, line.
#include <cstdint>
#include <string>

#include "base/text_array.h"
#include "fuzz/fuzz_input.h"
#include "http/headers.h"

namespace sw::fuzz {
namespace {

bool Contains(const Text& whole, const Text& part) {
  return whole.view().find(part.view()) != std::string_view::npos;
}

void CheckNormalize(const Text& block) {
  const Text normal = NormalizeHeaders(block);
  Require(normal.size() <= block.size(), "normalising never grows the block");
  Require(TextLeft(normal, 2) != Text("\r\n"), "no line break at the start");
  // At the end, a line break counts where the character walk sees one: a CR that is
  // the second byte of a double-byte character does not begin one.
  const TextArray lines = SplitText(normal, Text("\r\n"));
  std::string joined;
  for (int i = 1; i <= lines.Count(); ++i) {
    if (i > 1) joined += "\r\n";
    joined += lines.At(i).bytes();
    Require(FindText(lines.At(i), ":") != -1, "every line keeps a colon");
  }
  Require(joined == normal.bytes(), "no line break at the end");
  Require(NormalizeHeaders(normal) == normal, "normalising twice changes nothing");
}

void CheckEnsure(const Text& block, const Text& name, const Text& line) {
  Text ensured = block;
  EnsureHeader(ensured, name, line);
  const bool present = FindText(block, name, std::nullopt, true) != -1;
  Require(ensured == (present ? block : Concat(block, line)),
          "EnsureHeader appends the line exactly when the name is missing");
}

}  // namespace
}  // namespace sw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sw::fuzz;
  FuzzInput input(data, size);
  const sw::Text block = input.NextText();
  const sw::Text name = input.NextText();
  const sw::Text line = input.NextText();
  CheckNormalize(block);
  CheckEnsure(block, name, line);
  Require(Contains(block, sw::HeaderValue(block)), "the value is a piece of the text");
  Require(sw::CapitalizeFirst(name).size() == name.size(), "capitalising keeps the length");
  return 0;
}
