#pragma once
#include "shared/clock_port.h"

namespace shared::win32 {

// The local time in the user's short date format and time format.
class Win32Clock final : public ClockPort {
 public:
  LocalTimeText Now() override;
};

}  // namespace shared::win32
