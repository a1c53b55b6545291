#include "http/headers.h"

#include <string>
#include <string_view>

#include "base/text_array.h"

namespace sw {
namespace {

constexpr char kLineBreak[] = "\r\n";

bool IsLowerAscii(unsigned char byte) {
  return byte >= 'a' && byte <= 'z';
}

// Passes each dash-separated word of a header name through CapitalizeFirst, empty
// words included. The walk goes by GBK characters, so the second byte of a
// double-byte character is never taken for a dash.
Text CapitalizeNameWords(const Text& name) {
  const std::string_view bytes = name.view();
  std::string out;
  std::size_t wordBegin = 0;
  const auto takeWord = [&](std::size_t end) {
    out += CapitalizeFirst(Text(bytes.substr(wordBegin, end - wordBegin))).bytes();
  };
  for (std::size_t i = 0; i < bytes.size();) {
    const bool doubleByte = name.byte(i) >= 0x80 && i + 1 < bytes.size();
    if (!doubleByte && bytes[i] == '-') {
      takeWord(i);
      out += '-';
      wordBegin = i + 1;
    }
    i += doubleByte ? 2 : 1;
  }
  takeWord(bytes.size());
  return Text(out);
}

}  // namespace

Text NormalizeHeaders(const Text& block) {
  std::string result;
  for (const Text& line : SplitText(block, Text(kLineBreak))) {
    const int colon = FindText(line, ":");
    if (colon == -1) continue;
    result += CapitalizeNameWords(TextLeft(line, colon - 1)).bytes();
    result += TextRight(line, line.size() - colon + 1).bytes();
    result += kLineBreak;
  }
  if (!result.empty()) result.resize(result.size() - 2);
  return Text(result);
}

Text CapitalizeFirst(const Text& word) {
  if (word.empty() || !IsLowerAscii(word.byte(0))) return word;
  return Concat(CharFromCode(word.byte(0) - 0x20), TextRight(word, word.size() - 1));
}

Text HeaderValue(const Text& text) {
  const int colon = FindText(text, ":");
  if (colon == -1) return Text();
  return Trim(TextRight(text, text.size() - colon));
}

void EnsureHeader(Text& block, const Text& name, const Text& line) {
  if (FindText(block, name, std::nullopt, true) == -1) block = Concat(block, line);
}

}  // namespace sw
