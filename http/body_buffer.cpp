#include "http/body_buffer.h"

#include <algorithm>

namespace sw {
namespace {

// Blocks start small, for the usual short body, and double up to a cap, so that a large
// body needs few blocks and wastes little at the end of the last one.
constexpr std::size_t kFirstBlock = 16 * 1024;
constexpr std::size_t kLargestBlock = 1024 * 1024;

}  // namespace

std::uint8_t* BodyBuffer::Room(std::size_t size) {
  if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < size) {
    const std::size_t previous = blocks_.empty() ? kFirstBlock / 2 : blocks_.back().capacity;
    const std::size_t capacity = std::max(size, std::min(previous * 2, kLargestBlock));
    blocks_.push_back({std::make_unique_for_overwrite<std::uint8_t[]>(capacity), capacity, 0});
  }
  asked_ = size;
  Block& last = blocks_.back();
  return last.bytes.get() + last.used;
}

void BodyBuffer::Keep(std::size_t size) {
  if (blocks_.empty()) return;
  size = std::min(size, asked_);
  blocks_.back().used += size;
  total_ += size;
  asked_ = 0;
}

ByteSet BodyBuffer::Take() {
  ByteSet joined;
  joined.Reserve(total_);
  for (Block& block : blocks_) {
    joined.Append(block.bytes.get(), block.used);
    block.bytes.reset();  // gives the memory back while the rest is joined
  }
  blocks_.clear();
  total_ = 0;
  return joined;
}

}  // namespace sw
