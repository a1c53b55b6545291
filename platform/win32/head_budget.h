// A bound on the bytes and the time WinInet may spend receiving a response head.
//
// Wine's WinInet reads header lines for as long as a server sends them, holding every
// one in memory, and closing the request from another thread does not stop it; a
// trickle of header lines never meets the receive time-out either. So wininet.dll's
// own socket reads pass through this process: while a budget is active on a thread,
// a read on that thread past its byte limit or its deadline fails as an aborted
// connection, which ends the request with an error.
#pragma once

#include <cstdint>

namespace sw::wininet {

class HeadBudget {
 public:
  HeadBudget(std::uint64_t maxBytes, std::uint64_t deadlineMs);
  HeadBudget(const HeadBudget&) = delete;
  HeadBudget& operator=(const HeadBudget&) = delete;
  ~HeadBudget();

  // True once a read was refused.
  bool Exceeded() const { return exceeded_; }
  // False when wininet.dll's socket reads could not be reached (the budget then only
  // watches, it cannot refuse).
  static bool Enforced();

  // Called for each successful read on this budget's thread; false refuses it.
  bool Charge(std::uint64_t bytes);
  bool Expired();

 private:
  std::uint64_t maxBytes_;
  std::uint64_t deadline_;  // GetTickCount64 value
  std::uint64_t spent_ = 0;
  bool exceeded_ = false;
  HeadBudget* outer_;
};

}  // namespace sw::wininet
