#include "http/body_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace sw {
namespace {

TEST(BodyBuffer, JoinsReadsOfAnySizeInOrderAcrossBlocks) {
  BodyBuffer buffer;
  std::string expected;
  // Uneven reads, some empty, over several blocks (16 KB, 32 KB, ... up to 1 MB each).
  for (int i = 0; expected.size() < 3'000'000; ++i) {
    const std::size_t size = (i * 389) % 1025;
    std::uint8_t* room = buffer.Room(1024);
    for (std::size_t k = 0; k < size; ++k) room[k] = static_cast<std::uint8_t>(i + k);
    buffer.Keep(size);
    for (std::size_t k = 0; k < size; ++k)
      expected += static_cast<char>(static_cast<std::uint8_t>(i + k));
  }
  EXPECT_EQ(buffer.size(), expected.size());
  const ByteSet joined = buffer.Take();
  EXPECT_EQ(std::string(joined.view()), expected);
  EXPECT_EQ(buffer.size(), 0u);
  EXPECT_TRUE(buffer.Take().empty());
}

TEST(BodyBuffer, KeepsNoMoreThanTheRoomAskedFor) {
  BodyBuffer buffer;
  buffer.Keep(10);  // nothing asked yet
  std::memcpy(buffer.Room(3), "abc", 3);
  buffer.Keep(5000);
  buffer.Keep(7);  // a second keep for the same room adds nothing
  std::memcpy(buffer.Room(2), "de", 2);
  buffer.Keep(2);
  EXPECT_EQ(std::string(buffer.Take().view()), "abcde");
}

}  // namespace
}  // namespace sw
