#pragma once

#include <ctime>

namespace pf {

// Today's date and time for the core; tests use a fixed clock.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::time_t Now() const = 0;
};

class SystemClock final : public Clock {
  public:
    std::time_t Now() const override { return std::time(nullptr); }
};

class FixedClock final : public Clock {
  public:
    explicit FixedClock(std::time_t now) : now_(now) {}
    std::time_t Now() const override { return now_; }

  private:
    std::time_t now_;
};

}  // namespace pf
