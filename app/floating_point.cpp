#include "app/floating_point.h"

#include <cfenv>
#if defined(_WIN32)
#include <float.h>
#endif

namespace sw {

void ResetFloatingPointState() {
  std::fesetround(FE_TONEAREST);
  std::feclearexcept(FE_ALL_EXCEPT);
#if defined(_WIN32)
  // Mask every exception in the x87 and SSE control words.
  unsigned int current = 0;
  _controlfp_s(&current, _MCW_EM, _MCW_EM);
#elif defined(__GLIBC__)
  fedisableexcept(FE_ALL_EXCEPT);
#endif
}

}  // namespace sw
