// Reading a fuzzer's input as fields separated by zero bytes. A text never holds a zero
// byte, so the fields are exactly the texts the routines see, and seed files can be
// written by hand (printf 'field\0field').
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

#include "base/text.h"

namespace sw::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next field; the empty text once the fields have run out.
  Text NextText() { return Text(NextField()); }

  // The next field read as a signed decimal number, saturated to the int range; a field
  // without digits gives 0.
  int NextInt() { return ParseInt(NextField()).value_or(0); }

  // Like NextInt, but an empty field stands for "not given".
  std::optional<int> NextOptionalInt() {
    const std::string_view field = NextField();
    if (field.empty()) return std::nullopt;
    return ParseInt(field).value_or(0);
  }

  // True when the next field's first byte is odd.
  bool NextBool() {
    const std::string_view field = NextField();
    return !field.empty() && (static_cast<unsigned char>(field[0]) & 1U) != 0;
  }

  // Everything not yet read, zero bytes included.
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view NextField() {
    const std::size_t end = rest_.find('\0');
    const std::string_view field = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return field;
  }

  static std::optional<int> ParseInt(std::string_view field) {
    bool negative = false;
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    long long value = 0;
    bool digits = false;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
      digits = true;
      if (value < kLimit) value = value * 10 + (field[i] - '0');
    }
    if (!digits) return std::nullopt;
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
  }

  std::string_view rest_;
};

// Stops the run with a message when a property does not hold; libFuzzer then keeps the
// input that broke it.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

}  // namespace sw::fuzz
