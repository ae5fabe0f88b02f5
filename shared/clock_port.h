#pragma once
// The current date and time: as the user reads them (the user's short date and time formats),
// for records written to logs, and as the system records them. Adapters: shared/win32/win32_clock.h and
// tests/fakes/fake_clock.h.
#include <cstdint>
#include <string>

namespace shared {

struct LocalTimeText {
  std::string date;  // short date, e.g. "24/03/2009"
  std::string time;  // time, e.g. "14:05:09"
};

class ClockPort {
 public:
  virtual ~ClockPort() = default;
  // Both texts of one moment; empty texts when the platform cannot format them.
  virtual LocalTimeText Now() = 0;
  // The moment as a FILETIME (100-nanosecond steps since 1601, UTC), as the registry records
  // the time of a change.
  virtual std::uint64_t FileTimeNow() = 0;
};

}  // namespace shared
