// The test process's resident memory, to see that hostile responses cannot make it
// grow without bound.
#pragma once

#include <cstddef>

namespace sw::test {

// Resident bytes of this process now; 0 when the system cannot tell.
std::size_t ResidentBytes();

}  // namespace sw::test
