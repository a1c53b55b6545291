// Character-aware case conversion.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/gbk_walk.h"
#include "base/text.h"

namespace sw {

namespace {

// A letter right after a lead-range byte is the second byte of a character unless the
// walk says it begins one; every other letter begins a character.
bool LetterBeginsCharacter(std::string_view text, std::size_t i) {
  return i == 0 || !gbk::IsLeadByte(text[i - 1]) || gbk::StartsCharacter(text, 0, i);
}

#if defined(__SSE2__)
// Sixteen bytes at a time from byte 1 on: letters after a byte below 0x80 are converted
// at once. A letter right after lead-range bytes begins a character when that run of
// lead-range bytes (since the last byte below 0x80, or the first byte) has even length;
// the run's length parity is carried from block to block, so no byte is read twice.
std::size_t ConvertBlocks(std::string_view original, unsigned char first, char* out) {
  const std::size_t size = original.size();
  const auto* const in = reinterpret_cast<const unsigned char*>(original.data());
  // Adding 0x80 - first moves the 26 letters to the bottom of the signed byte range.
  const __m128i shift = _mm_set1_epi8(static_cast<char>(0x80 - first));
  const __m128i letter_limit = _mm_set1_epi8(static_cast<char>(-128 + 26));
  const __m128i case_bit = _mm_set1_epi8(0x20);
  const __m128i zero = _mm_setzero_si128();
  unsigned run_parity = in[0] >> 7;  // of the lead-range run that ends just before byte i
  std::size_t i = 1;
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i - 1));
    const __m128i letter = _mm_cmplt_epi8(_mm_add_epi8(bytes, shift), letter_limit);
    const __m128i after_lead = _mm_cmplt_epi8(before, zero);
    const __m128i flip = _mm_andnot_si128(after_lead, letter);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_xor_si128(bytes, _mm_and_si128(flip, case_bit)));
    const auto low = static_cast<unsigned>(~_mm_movemask_epi8(bytes)) & 0xFFFFu;
    auto undecided = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(letter, after_lead)));
    for (; undecided != 0; undecided &= undecided - 1) {
      const int k = std::countr_zero(undecided);
      const unsigned low_before = low & ((1u << k) - 1u);
      const unsigned run = low_before == 0
                               ? run_parity + static_cast<unsigned>(k)
                               : static_cast<unsigned>(k - 1 - (31 - std::countl_zero(low_before)));
      if (run % 2 == 0) out[i + static_cast<std::size_t>(k)] ^= 0x20;
    }
    // Sixteen more lead-range bytes keep the parity; otherwise count those after the
    // block's last byte below 0x80.
    if (low != 0) run_parity = static_cast<unsigned>(15 - (31 - std::countl_zero(low))) % 2;
  }
  return i;
}
#endif

// Converts one ASCII case (the 26 letters from `first`) into the other where the letter
// begins a character; second bytes of double-byte characters stay.
Text ConvertCase(const Text& text, unsigned char first) {
  const std::string_view original = text.view();
  const std::size_t size = original.size();
  std::string converted(original);
  char* const out = converted.data();  // a local copy: the byte stores cannot alias it
  const auto convert_one = [&](std::size_t at) {
    const auto b = static_cast<unsigned char>(original[at]);
    if (static_cast<unsigned>(b - first) < 26u && LetterBeginsCharacter(original, at)) {
      out[at] = static_cast<char>(b ^ 0x20);
    }
  };
  std::size_t i = 0;
#if defined(__SSE2__)
  if (size > 16) {
    convert_one(0);
    i = ConvertBlocks(original, first, out);
  }
#endif
  for (; i < size; ++i) convert_one(i);
  return Text(std::move(converted));
}

}  // namespace

Text ToUpper(const Text& text) { return ConvertCase(text, 'a'); }

Text ToLower(const Text& text) { return ConvertCase(text, 'A'); }

}  // namespace sw
