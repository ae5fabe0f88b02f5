#pragma once
// A clock that always says the same moment, so a log record can be compared byte for byte.
#include <string>

#include "shared/clock_port.h"

namespace fakes {

class FakeClock final : public shared::ClockPort {
 public:
  explicit FakeClock(std::string date = "24/03/2009", std::string time = "14:05:09")
      : now_{std::move(date), std::move(time)} {}
  shared::LocalTimeText Now() override { return now_; }
  std::uint64_t FileTimeNow() override { return fileTime_; }
  void Set(std::string date, std::string time) { now_ = {std::move(date), std::move(time)}; }

 private:
  shared::LocalTimeText now_;
  std::uint64_t fileTime_ = 0x01C9AC898A721880;  // the same moment, taken as UTC
};

}  // namespace fakes
