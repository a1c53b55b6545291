// Collects a response body that arrives in small reads. Each read lands in a block that
// never moves, so the bytes read before are not copied again as the body grows; the
// blocks are joined once, into a ByteSet of the exact size, at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/byte_set.h"

namespace sw {

class BodyBuffer {
 public:
  // Space for at least `size` bytes after the bytes kept so far.
  std::uint8_t* Room(std::size_t size);
  // Keeps `size` bytes (at most the room asked for) written at the last Room().
  void Keep(std::size_t size);
  std::size_t size() const { return total_; }
  // The bytes kept, in order; the buffer is empty afterwards.
  ByteSet Take();

 private:
  struct Block {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t capacity = 0;
    std::size_t used = 0;
  };
  std::vector<Block> blocks_;
  std::size_t total_ = 0;
  std::size_t asked_ = 0;
};

}  // namespace sw
