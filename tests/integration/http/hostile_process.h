// What the hostile tests need to know about their own process.
#pragma once

#include <cstddef>

namespace sw::test {

// Resident bytes of this process now; 0 when the system cannot tell.
std::size_t ResidentBytes();

// True when this Windows program runs under Wine, whose WinInet differs from Windows'
// in ways some cases have to allow for.
bool UnderWine();

}  // namespace sw::test
