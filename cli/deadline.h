#pragma once
// The time that converting one input may take (--timeout). The runs look
// at it when they pump their host's events, every few hundred units of the
// engine's work, and stop as a cancelled rendering does once it passed.

#include <chrono>
#include <optional>

namespace kavor {

class Deadline {
 public:
  using Clock = std::chrono::steady_clock;

  // From now; 0 seconds or less: no limit.
  void start(double seconds) {
    at_.reset();
    if (seconds > 0) at_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  }
  bool passed() const { return at_ && Clock::now() >= *at_; }

 private:
  std::optional<Clock::time_point> at_;
};

}  // namespace kavor
