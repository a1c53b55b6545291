// The GBK bytes of the primitives' own texts against their readable forms.
#include <gtest/gtest.h>

#include "base/base_literals.h"
#include "tests/unit/doubles/gbk_literal_check.h"

namespace sw {
namespace {

#if !defined(_WIN32)
TEST(BaseLiterals, BytesAreTheGbkFormOfTheReadableText) {
  testing::ExpectGbkMatchesReadable(kBaseLiterals);
}
#endif

}  // namespace
}  // namespace sw
