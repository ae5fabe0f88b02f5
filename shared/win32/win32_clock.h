#pragma once
#include "shared/clock_port.h"

namespace shared::win32 {

// The local time in the user's short date format and time format; the system time as a FILETIME.
class Win32Clock final : public ClockPort {
 public:
  LocalTimeText Now() override;
  std::uint64_t FileTimeNow() override;
};

}  // namespace shared::win32
