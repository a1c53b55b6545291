// ByteSet operations and the conversions between texts and byte sets.
#include "base/byte_set.h"

#include <algorithm>
#include <cstring>

#include "base/fatal.h"

namespace sw {

namespace {

std::size_t Clamp(long long value, std::size_t high) {
  if (value <= 0) return 0;
  return std::min(static_cast<std::size_t>(value), high);
}

}  // namespace

ByteSet::ByteSet(const void* data, std::size_t size) { Append(data, size); }

int ByteSet::At(int index, const SourceLocation& where) const {
  if (index < 1) FatalIndexError(IndexErrorKind::kBelowBounds, index, Length(), where);
  if (index > Length()) FatalIndexError(IndexErrorKind::kAboveBounds, index, Length(), where);
  return bytes_[static_cast<std::size_t>(index - 1)];
}

void ByteSet::Append(const void* data, std::size_t size) {
  if (data == nullptr || size == 0) return;
  const auto* first = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), first, first + size);
}

ByteSet ToBytes(const Text& text) { return ByteSet(text.c_str(), text.bytes().size()); }

Text BytesToText(const ByteSet& bytes) { return Text(bytes.view()); }

ByteSet BlankBytes(int n) {
  if (n <= 0) return {};
  return ByteSet(std::vector<std::uint8_t>(static_cast<std::size_t>(n), 0));
}

ByteSet BytesLeft(const ByteSet& bytes, int n) {
  const std::size_t count = Clamp(n, bytes.bytes().size());
  return ByteSet(bytes.bytes().data(), count);
}

ByteSet BytesMid(const ByteSet& bytes, int start, int n) {
  const std::size_t size = bytes.bytes().size();
  const std::size_t skip = Clamp(static_cast<long long>(start) - 1, size);
  const std::size_t count = Clamp(n, size - skip);
  return ByteSet(bytes.bytes().data() + skip, count);
}

ByteSet ConcatBytes(std::initializer_list<const ByteSet*> parts) {
  std::size_t total = 0;
  for (const ByteSet* part : parts) total += part->bytes().size();
  ByteSet joined;
  joined.Reserve(total);
  for (const ByteSet* part : parts) joined.Append(part->bytes().data(), part->bytes().size());
  return joined;
}

bool SameBytes(const ByteSet& a, const ByteSet& b) { return a.bytes() == b.bytes(); }

const std::uint8_t* ByteSetData(const ByteSet& bytes) {
  return bytes.empty() ? nullptr : bytes.bytes().data();
}

}  // namespace sw
