#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "shared/system_port.h"
#include "shared/text.h"

namespace fakes {

// Open windows and the administrator answer, as a test sets them.
class FakeSystem final : public shared::SystemPort {
 public:
  bool TopLevelWindowExists(const std::string& className) override {
    // Class names compare without case, as FindWindowA compares them.
    return std::any_of(openClasses.begin(), openClasses.end(),
                       [&](const std::string& open) { return shared::EqualsIgnoreCase(open, className); });
  }
  bool IsNTAdmin() override { return administrator; }

  std::vector<std::string> openClasses;
  bool administrator = true;
};

}  // namespace fakes
