#pragma once
// In-memory registry with the platform's rules: names compared without case, subkeys listed in
// case-insensitive order (values too, as under Wine), a key with subkeys not deletable, HKEY_CLASSES_ROOT the machine's
// SOFTWARE\Classes, names ending at their first NUL. Two views as on 64-bit Windows: the 32-bit
// view of HKLM "SOFTWARE\X" is "SOFTWARE\Wow6432Node\X", of HKCR "X" "Wow6432Node\X"; HKCU is shared.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "shared/registry_port.h"

namespace fakes {

class FakeRegistry final : public shared::RegistryPort {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  bool HasTwoViews() const override { return twoViews_; }
  shared::Result<shared::KeyHandle> OpenKey(shared::RegRoot root, const std::string& path, shared::KeyAccess access,
                                            shared::RegView view = shared::RegView::kNative) override;
  shared::Result<shared::KeyHandle> CreateKey(shared::RegRoot root, const std::string& path,
                                              shared::RegView view = shared::RegView::kNative) override;
  void CloseKey(shared::KeyHandle key) override;
  shared::Status DeleteKey(shared::RegRoot root, const std::string& path,
                           shared::RegView view = shared::RegView::kNative) override;
  shared::Result<shared::RegValueData> QueryValue(shared::KeyHandle key, const std::string& name) override;
  shared::Status SetValue(shared::KeyHandle key, const std::string& name, const shared::RegValueData& data) override;
  shared::Status DeleteValue(shared::KeyHandle key, const std::string& name) override;
  shared::Result<shared::RegKeyInfo> QueryInfo(shared::KeyHandle key) override;
  shared::Result<std::string> EnumValueName(shared::KeyHandle key, std::uint32_t index) override;
  shared::Result<std::string> EnumKeyName(shared::KeyHandle key, std::uint32_t index) override;
  shared::Result<shared::RegValueEntry> EnumValue(shared::KeyHandle key, std::uint32_t index) override;

  // Test controls: one view only, as on 32-bit Windows (k32 opens the native keys).
  void UseOneView() { twoViews_ = false; }
  // Writes under a denied key fail with "Access is denied".
  void DenyWrites(shared::RegRoot root, const std::string& path);
  // Opening the key to list its subkeys fails with "Access is denied".
  void DenyListing(shared::RegRoot root, const std::string& path);
  // Every key counts one value more than it lists, as when a value goes between the count and
  // the listing.
  void CountOneValueMore() { valuesCountedMore_ = 1; }
  // Keys opened and not yet closed, to catch leaks.
  int OpenHandles() const { return static_cast<int>(handles_.size()); }

  struct Key;

 private:
  Key* Find(shared::RegRoot root, const std::string& path, shared::RegView view = shared::RegView::kNative) const;
  // The key's parts below its stored root, with HKCR and the 32-bit view resolved.
  std::vector<std::string> Resolve(shared::RegRoot& root, const std::string& path, shared::RegView view) const;
  Key* FromHandle(shared::KeyHandle key) const;
  shared::KeyHandle NewHandle(Key* key, bool writable);

  std::map<shared::RegRoot, std::unique_ptr<Key>> roots_;
  struct OpenKeyState { Key* key; bool writable; };
  std::map<shared::KeyHandle, OpenKeyState> handles_;
  shared::KeyHandle nextHandle_ = 0x100;
  bool twoViews_ = true;
  std::uint32_t valuesCountedMore_ = 0;
};

}  // namespace fakes
