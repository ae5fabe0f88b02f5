#pragma once
// In-memory version resources: per file, the sub-blocks VerQueryValueA would answer.
#include <cstdint>
#include <map>
#include <string>

#include "shared/version_port.h"

namespace fakes {

struct FakeVersionResource {
  bool hasTranslation = true;
  std::uint16_t language = 0x0409;
  std::uint16_t codePage = 0x04B0;
  std::uint16_t fileVersion[4] = {0, 0, 0, 0};
  bool hasFixedInfo = true;
  std::map<std::string, std::string> strings;  // key name -> value
};

class FakeVersion final : public shared::VersionPort {
 public:
  void Add(const std::string& path, FakeVersionResource resource);
  std::uint32_t GetInfoSize(const std::string& path) override;
  std::unique_ptr<shared::VersionBlock> GetInfo(const std::string& path) override;
  int reads = 0;  // calls of either, to count the resource reads

 private:
  const FakeVersionResource* Find(const std::string& path) const;
  std::map<std::string, FakeVersionResource> resources_;  // by lower-case path
};

}  // namespace fakes
