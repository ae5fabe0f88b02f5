#include "tests/fakes/fake_version.h"

#include <cstring>

#include "shared/file_version.h"
#include "shared/text.h"

namespace fakes {
namespace {

class FakeBlock final : public shared::VersionBlock {
 public:
  explicit FakeBlock(FakeVersionResource resource) : resource_(std::move(resource)) {}

  std::optional<std::string> Query(const std::string& subBlock) const override {
    const std::string wanted = shared::ToLowerAscii(shared::UpToNul(subBlock));
    if (wanted == "\\") {
      if (!resource_.hasFixedInfo) return std::nullopt;
      const auto* v = resource_.fileVersion;  // the signature, the structure's version, then the file's
      const std::uint32_t fixed[13] = {0xFEEF04BDu, 0x10000u, std::uint32_t(v[0]) << 16 | v[1],
                                       std::uint32_t(v[2]) << 16 | v[3]};
      return std::string(reinterpret_cast<const char*>(fixed), sizeof fixed);
    }
    if (wanted == "\\varfileinfo\\translation") {
      if (!resource_.hasTranslation) return std::nullopt;
      const std::uint16_t translation[2] = {resource_.language, resource_.codePage};  // little-endian
      return std::string(reinterpret_cast<const char*>(translation), sizeof translation);
    }
    const std::string prefix =
        shared::ToLowerAscii("\\StringFileInfo\\" + shared::TranslationKey(resource_.language, resource_.codePage) + "\\");
    if (wanted.rfind(prefix, 0) != 0) return std::nullopt;
    for (const auto& [key, value] : resource_.strings)
      if (shared::ToLowerAscii(key) == wanted.substr(prefix.size())) return value;
    return std::nullopt;
  }

 private:
  FakeVersionResource resource_;
};

}  // namespace

void FakeVersion::Add(const std::string& path, FakeVersionResource resource) {
  resources_[shared::ToLowerAscii(path)] = std::move(resource);
}

const FakeVersionResource* FakeVersion::Find(const std::string& path) const {
  const auto found = resources_.find(shared::ToLowerAscii(shared::UpToNul(path)));
  return found == resources_.end() ? nullptr : &found->second;
}

std::uint32_t FakeVersion::GetInfoSize(const std::string& path) {
  ++reads;
  return Find(path) ? 1024 : 0;
}

std::unique_ptr<shared::VersionBlock> FakeVersion::GetInfo(const std::string& path) {
  ++reads;
  const FakeVersionResource* resource = Find(path);
  if (resource == nullptr) return nullptr;
  return std::make_unique<FakeBlock>(*resource);
}

}  // namespace fakes
