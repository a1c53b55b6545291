// The floating-point state the watch tick relies on: round to nearest, every exception
// masked, so a zero height gives an infinity or a NaN instead of a trap.
#pragma once

namespace sw {

void ResetFloatingPointState();

}  // namespace sw
