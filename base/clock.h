// Where the present moment comes from; tests pass a fixed clock.
#pragma once

#include "base/date_time.h"

namespace sw {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
};

class SystemClock final : public Clock {
 public:
  DateTime Now() override { return CurrentDateTime(); }
};

}  // namespace sw
