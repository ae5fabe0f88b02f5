#pragma once
#include "shared/registry_port.h"

namespace shared::win32 {

// The real registry through the ANSI functions of advapi32.
class Win32Registry final : public RegistryPort {
 public:
  bool HasTwoViews() const override;
  Result<KeyHandle> OpenKey(RegRoot root, const std::string& path, KeyAccess access,
                            RegView view = RegView::kNative) override;
  Result<KeyHandle> CreateKey(RegRoot root, const std::string& path, RegView view = RegView::kNative) override;
  void CloseKey(KeyHandle key) override;
  Status DeleteKey(RegRoot root, const std::string& path, RegView view = RegView::kNative) override;
  Result<RegValueData> QueryValue(KeyHandle key, const std::string& name) override;
  Status SetValue(KeyHandle key, const std::string& name, const RegValueData& data) override;
  Status DeleteValue(KeyHandle key, const std::string& name) override;
  Result<RegKeyInfo> QueryInfo(KeyHandle key) override;
  Result<std::string> EnumValueName(KeyHandle key, std::uint32_t index) override;
  Result<std::string> EnumKeyName(KeyHandle key, std::uint32_t index) override;
  Result<RegValueEntry> EnumValue(KeyHandle key, std::uint32_t index) override;
};

}  // namespace shared::win32
