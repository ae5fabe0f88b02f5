#pragma once
// What the programs ask of the running session before they change anything. Adapters:
// shared/win32/win32_system.h and tests/fakes/fake_system.h.
#include <string>

namespace shared {

class SystemPort {
 public:
  virtual ~SystemPort() = default;
  // FindWindowA(className, NULL): a top-level window of that class is open, in any process.
  virtual bool TopLevelWindowExists(const std::string& className) = 0;
  // IsNTAdmin: the user may change the machine's part of the registry.
  virtual bool IsNTAdmin() = 0;
};

}  // namespace shared
