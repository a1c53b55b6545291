// Measures the character-aware text operations over a 10 MB mixed GBK text and, in the
// same run, a plain byte-level baseline for each over the same bytes. Prints MB/s and
// the ratio of times (operation / baseline); each operation should stay within 3x.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "base/text_array.h"

namespace {

constexpr std::size_t kTextBytes = 10 * 1024 * 1024;
constexpr int kRepeats = 15;

// Deterministic mixed text: ASCII words and punctuation, GB2312 characters (both bytes
// 0xA1..0xFE) and some GBK extension characters whose second byte is an ASCII letter or
// sign (0x81..0xA0 then 0x40..0x7E), with ';' separators every few dozen bytes.
std::string MakeGbkText() {
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  static const char* const kWords[] = {"the", "Sign", "in", "WATCH", "tick", "cookie", "42",
                                       "host", "Accept:", "value"};
  std::string text = "  ";
  text.reserve(kTextBytes + 64);
  while (text.size() < kTextBytes) {
    const std::uint32_t pick = next() % 100;
    if (pick < 40) {
      text += kWords[next() % std::size(kWords)];
      text += ' ';
    } else if (pick < 85) {
      for (std::uint32_t n = 1 + next() % 6; n > 0; --n) {
        text += static_cast<char>(0xB0 + next() % 0x48);
        text += static_cast<char>(0xA1 + next() % 0x5E);
      }
    } else if (pick < 95) {
      text += static_cast<char>(0x81 + next() % 0x20);
      text += static_cast<char>(0x40 + next() % 0x3F);
    } else {
      text += "; ";
    }
  }
  text.resize(kTextBytes - 3);
  text += " \xA1\xA1";  // trailing spaces for Trim
  return text;
}

volatile std::size_t sink = 0;

// Keeps the compiler from moving work out of the timed region.
void ClobberMemory() { asm volatile("" : : : "memory"); }

double BestSeconds(const std::function<std::size_t()>& run) {
  double best = 1e30;
  for (int i = 0; i < kRepeats; ++i) {
    ClobberMemory();
    const auto begin = std::chrono::steady_clock::now();
    sink = sink + run();
    ClobberMemory();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    best = std::min(best, took.count());
  }
  return best;
}

// The baselines: byte-level work on the same bytes, blind to double-byte characters.

std::size_t PlainReplace(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out += to;
  }
  out.append(text, pos);
  return out.size();
}

std::size_t PlainSplit(const std::string& text, const std::string& delimiter) {
  std::vector<std::string> pieces;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(delimiter, pos)) != std::string::npos;
       pos = hit + delimiter.size()) {
    pieces.emplace_back(text, pos, hit - pos);
  }
  if (pos < text.size()) pieces.emplace_back(text, pos);
  return pieces.size();
}

void FoldInto(const std::string& text, std::string& out) {
  // Raw pointers and a local count, so the stores cannot be taken to alias them.
  const auto* src = reinterpret_cast<const unsigned char*>(text.data());
  char* dst = out.data();
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    const unsigned b = src[i];
    dst[i] = static_cast<char>(b | (static_cast<unsigned>(b - 'A' < 26u) << 5));
  }
}

std::size_t PlainLower(const std::string& text) {
  std::string out(text.size(), '\0');
  FoldInto(text, out);
  return out.size();
}

// One line per comparison. The verdict is given against the fairest baseline only; the
// others are printed for scale.
void Report(const char* name, double seconds, const char* baselineName, double baselineSeconds,
            const char* why, bool judged = true) {
  const double mb = static_cast<double>(kTextBytes) / (1024.0 * 1024.0);
  const double ratio = seconds / baselineSeconds;
  const char* verdict = !judged ? "(for scale)" : ratio <= 3.0 ? "ok (<= 3x)" : "SLOWER THAN 3x";
  std::printf("%-12s %7.0f MB/s | %-21s %7.0f MB/s | ratio %6.2f %s\n", name, mb / seconds,
              baselineName, mb / baselineSeconds, ratio, verdict);
  std::printf("    baseline: %s\n", why);
}

}  // namespace

int main() {
  using namespace sw;
  const std::string bytes = MakeGbkText();
  const Text text(bytes);
  // Absent from the text, but its first byte starts many words: the search must look
  // at every 't' and the whole text.
  const std::string absent = "the!";
  std::printf("text: %zu bytes of mixed GBK, best of %d runs each\n\n", bytes.size(), kRepeats);

  {
    const double find = BestSeconds([&] {
      return static_cast<std::size_t>(FindText(text, Text(absent)) + 2);
    });
    const double base = BestSeconds([&] { return bytes.find(absent) + 1; });
    Report("FindText", find, "std::string::find", base,
           "the same substring search over the same bytes (mark absent: whole text scanned)");
#if defined(__GLIBC__)
    const double mem = BestSeconds([&] {
      return memmem(bytes.data(), bytes.size(), absent.data(), absent.size()) == nullptr ? 1u : 2u;
    });
    Report("FindText", find, "memmem", mem, "glibc's substring search", false);
#endif
    const double chr = BestSeconds([&] {
      return std::memchr(bytes.data(), '!', bytes.size()) == nullptr ? 1u : 2u;
    });
    Report("FindText", find, "memchr", chr, "a single-byte scan of the whole text, no comparing", false);
  }
  {
    // A long mark that almost matches everywhere: a search that compares the whole mark
    // at each position does work proportional to text length times mark length.
    const std::string plain(bytes.size(), 'a');
    const std::string nearly = std::string(40, 'a') + "b";
    const Text plain_text(plain);
    const double find = BestSeconds([&] {
      return static_cast<std::size_t>(FindText(plain_text, Text(nearly)) + 2);
    });
    const double base = BestSeconds([&] { return plain.find(nearly) + 1; });
    Report("FindText", find, "std::string::find", base,
           "41-byte mark 'a..ab' in 10 MB of 'a': the worst case of a per-position compare",
           false);
  }
  {
    const double replace = BestSeconds([&] {
      return ReplaceText(text, Text("the"), Text("THE!")).bytes().size();
    });
    const double base = BestSeconds([&] { return PlainReplace(bytes, "the", "THE!"); });
    Report("ReplaceText", replace, "find+append loop", base,
           "std::string::find and append into a reserved buffer, blind to double-byte characters");
  }
  {
    const double split = BestSeconds([&] {
      return static_cast<std::size_t>(ArrayCount(SplitText(text, Text(";"))));
    });
    const double base = BestSeconds([&] { return PlainSplit(bytes, ";"); });
    Report("SplitText", split, "find+vector<string>", base,
           "std::string::find, one std::string per piece, blind to double-byte characters");
  }
  {
    const double trim = BestSeconds([&] { return Trim(text).bytes().size(); });
    const double copy = BestSeconds([&] { return std::string(bytes).size(); });
    const double mem = BestSeconds([&] {
      const void* hit = std::memchr(bytes.data(), '\0', bytes.size());
      return hit == nullptr ? std::size_t{1} : std::size_t{2};
    });
    Report("Trim", trim, "copy of the text", copy,
           "Trim returns a new text, so copying the bytes is the least it can do");
    Report("Trim", trim, "memchr", mem, "one read-only pass over every byte, no copy", false);
  }
  {
    const double lower = BestSeconds([&] { return ToLower(text).bytes().size(); });
    const double base = BestSeconds([&] { return PlainLower(bytes); });
    Report("ToLower", lower, "byte-wise ASCII fold", base,
           "branch-free A-Z fold of every byte into a new buffer, blind to double-byte characters");
    std::string reused(bytes.size(), '\0');
    const double warm = BestSeconds([&] {
      FoldInto(bytes, reused);
      return reused.size();
    });
    Report("ToLower", lower, "fold, reused buffer", warm,
           "the same fold into a buffer that is already mapped: no allocation, no page faults",
           false);
  }
  return 0;
}
