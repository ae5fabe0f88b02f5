#pragma once
// The INI port's contract: the fake against real GetPrivateProfileStringA and
// WritePrivateProfileStringA.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "shared/file_system_port.h"
#include "shared/profile_port.h"

// The file port and the profile port over the same files.
using IniPorts = std::pair<std::unique_ptr<shared::FileSystemPort>, std::unique_ptr<shared::ProfilePort>>;

struct ProfileTarget {
  std::function<IniPorts()> make;
  std::string scratch;  // an existing folder, "C:\..." form
};

class ProfileContract : public ::testing::TestWithParam<ProfileTarget> {
 protected:
  void SetUp() override;
  std::string Get(const std::string& section, const std::string& key, const std::string& fallback = "",
                  std::uint32_t size = 500) {
    return profile_->GetString(section, key, fallback, size, path_);
  }
  std::unique_ptr<shared::FileSystemPort> files_;
  std::unique_ptr<shared::ProfilePort> profile_;
  std::string path_;
};
