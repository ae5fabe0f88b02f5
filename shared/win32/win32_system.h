#pragma once
#include "shared/system_port.h"

namespace shared::win32 {

class Win32System final : public SystemPort {
 public:
  bool TopLevelWindowExists(const std::string& className) override;
  bool IsNTAdmin() override;
};

}  // namespace shared::win32
