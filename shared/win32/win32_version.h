#pragma once
#include "shared/version_port.h"

namespace shared::win32 {

// Version resources through version.dll, loaded from the system folder only.
class Win32Version final : public VersionPort {
 public:
  std::uint32_t GetInfoSize(const std::string& path) override;
  std::unique_ptr<VersionBlock> GetInfo(const std::string& path) override;
};

}  // namespace shared::win32
