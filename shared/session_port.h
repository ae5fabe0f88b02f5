#pragma once
// Ending the user's Windows session. Adapters: shared/win32/win32_session.h (ExitWindowsEx) and
// tests/fakes/fake_session.h. Under Wine the real one ends every process of the prefix, so tests
// only ever use the fake.
#include "shared/status.h"

namespace shared {

class SessionPort {
 public:
  virtual ~SessionPort() = default;
  // Asks Windows to log the user off. Success means the request was accepted: the session ends
  // afterwards, and this program with it.
  virtual Status LogOff() = 0;
  // Asks Windows to restart the machine; the process needs the shutdown privilege, which the
  // adapter enables first.
  virtual Status Restart() = 0;
};

}  // namespace shared
