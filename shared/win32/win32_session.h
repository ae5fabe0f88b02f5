#pragma once
#include "shared/session_port.h"

namespace shared::win32 {

// ExitWindowsEx: EWX_LOGOFF, or EWX_REBOOT after enabling SE_SHUTDOWN_NAME on the process token.
class Win32Session final : public SessionPort {
 public:
  Status LogOff() override;
  Status Restart() override;
};

}  // namespace shared::win32
