// A clock that shows whatever moment the test sets.
#pragma once

#include "base/clock.h"

namespace sw::testing {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime moment = 0) : now(moment) {}
  DateTime Now() override { return now; }
  DateTime now;
};

}  // namespace sw::testing
