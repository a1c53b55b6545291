// The place of a call, for fatal error reports. std::source_location where the
// standard library offers it; otherwise (clang 14 with libstdc++, used for the fuzz
// build) the same interface built on the compiler's location builtins.
#pragma once

#include <cstdint>
#include <source_location>

namespace sw {

#if defined(__cpp_lib_source_location)
using SourceLocation = std::source_location;
#else
class SourceLocation {
 public:
  static constexpr SourceLocation current(const char* file = __builtin_FILE(),
                                          std::uint_least32_t line = __builtin_LINE(),
                                          const char* function = __builtin_FUNCTION()) noexcept {
    SourceLocation place;
    place.file_ = file;
    place.line_ = line;
    place.function_ = function;
    return place;
  }
  constexpr const char* file_name() const noexcept { return file_; }
  constexpr std::uint_least32_t line() const noexcept { return line_; }
  constexpr std::uint_least32_t column() const noexcept { return 0; }
  constexpr const char* function_name() const noexcept { return function_; }

 private:
  const char* file_ = "";
  std::uint_least32_t line_ = 0;
  const char* function_ = "";
};
#endif

}  // namespace sw
