// ByteSet: a counted byte string that may hold zero bytes; empty and absent are one value.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "base/source_location.h"
#include "base/text.h"

namespace sw {

class ByteSet {
 public:
  ByteSet() = default;
  ByteSet(std::initializer_list<std::uint8_t> bytes) : bytes_(bytes) {}
  explicit ByteSet(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  ByteSet(const void* data, std::size_t size);

  int Length() const { return static_cast<int>(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }
  // Byte i, 1 to Length(), as 0..255; any other index is a fatal index error.
  int At(int index, const SourceLocation& where = SourceLocation::current()) const;
  // Appends bytes at the end; amortised constant time per byte.
  void Append(const void* data, std::size_t size);
  void Reserve(std::size_t size) { bytes_.reserve(size); }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::string_view view() const {
    return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()};
  }

  friend bool operator==(const ByteSet& a, const ByteSet& b) { return a.bytes_ == b.bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

ByteSet ToBytes(const Text& text);
Text BytesToText(const ByteSet& bytes);
inline int ByteSetLength(const ByteSet& bytes) { return bytes.Length(); }
ByteSet BlankBytes(int n);
ByteSet BytesLeft(const ByteSet& bytes, int n);
ByteSet BytesMid(const ByteSet& bytes, int start, int n);
ByteSet ConcatBytes(std::initializer_list<const ByteSet*> parts);
template <typename... Sets>
ByteSet ConcatBytes(const ByteSet& first, const Sets&... rest) {
  return ConcatBytes({&first, &rest...});
}
bool SameBytes(const ByteSet& a, const ByteSet& b);
// Address of the first byte, or null for the empty byte set.
const std::uint8_t* ByteSetData(const ByteSet& bytes);

}  // namespace sw
