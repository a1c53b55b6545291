// Conversions between texts and numbers.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "base/text.h"

namespace sw {

namespace {

// Full-width digits, signs and letters (0xA3 0xA1..0xFE) become their ASCII forms, the
// ideographic space a space, '～' a '~', '☆' and '★' a '*'; every other byte stays.
std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80 || i + 1 == text.size()) {
      folded.push_back(text[i]);
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      folded.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      folded.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      folded.push_back('*');
    } else {
      folded.append(text.substr(i, 2));
    }
    i += 2;
  }
  return folded;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Pads the exponent of a printf-formatted number to at least three digits, the form
// 'e+013' that every platform must show alike.
std::string WidenExponent(std::string number) {
  const std::size_t e = number.find('e');
  if (e == std::string::npos || e + 1 >= number.size()) return number;
  const std::size_t digits_at = e + 2;  // after the sign
  const std::size_t digits = number.size() - digits_at;
  if (digits < 3) number.insert(digits_at, 3 - digits, '0');
  return number;
}

}  // namespace

int ToInt(const Text& text) {
  const std::string folded = FoldFullWidth(text.view());
  std::size_t i = 0;
  while (i < folded.size() && IsBlank(folded[i])) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
    negative = folded[i] == '-';
    ++i;
  }
  // Unsigned arithmetic wraps around on overflow, as the 32-bit result must.
  std::uint32_t value = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

int ToInt(double value) {
  // Truncation toward zero; NaN gives 0 and values beyond the int range saturate
  // instead of being undefined.
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0) return std::numeric_limits<int>::max();
  if (value <= -2147483649.0) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

Text NumberToText(double value) {
  // The C libraries disagree on these; one spelling everywhere.
  if (std::isnan(value)) return Text("nan");
  if (std::isinf(value)) return Text(value > 0 ? "inf" : "-inf");
  char buffer[48];
  const int written = std::snprintf(buffer, sizeof buffer, "%.13g", value);
  if (written <= 0) return {};
  return Text(WidenExponent(std::string(buffer, static_cast<std::size_t>(written))));
}

}  // namespace sw
