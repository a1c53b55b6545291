#include "platform/linux/text_utf8.h"

#include <iconv.h>

#include <cerrno>

namespace sw {
namespace {

constexpr const char kReplacement[] = "\xef\xbf\xbd";  // U+FFFD

class IconvHandle {
 public:
  IconvHandle() : cd_(iconv_open("UTF-8", "CP936")) {}
  ~IconvHandle() {
    if (valid()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string GbkToUtf8(const Text& gbk) {
  std::string out;
  if (gbk.empty()) return out;
  IconvHandle cd;
  if (!cd.valid()) {
    // No converter at all: ASCII stays readable, everything else is replaced.
    for (char c : gbk.bytes()) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out += c;
      } else {
        out += kReplacement;
      }
    }
    return out;
  }
  std::string input = gbk.bytes();
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ (not GBK) or EINVAL (a lead byte cut off at the end): replace one byte.
    out += kReplacement;
    ++in;
    --inLeft;
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace sw
