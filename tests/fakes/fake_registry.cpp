#include "tests/fakes/fake_registry.h"

#include <sstream>

#include "shared/text.h"

namespace fakes {

using shared::Result;
using shared::Status;

namespace {

Status Error(std::int32_t code) { return Status::Error(code, shared::DefaultErrorText(code)); }

// The registry orders names by their upper-case form (std::string compares bytes unsigned).
struct NameLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return shared::ToUpperAscii(a) < shared::ToUpperAscii(b);
  }
};

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::istringstream in(shared::UpToNul(path));
  for (std::string part; std::getline(in, part, '\\');) if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

struct FakeRegistry::Key {
  Key* parent = nullptr;
  bool denyWrites = false;
  bool denyListing = false;
  std::map<std::string, std::unique_ptr<Key>, NameLess> subkeys;
  // Values by name, listed in that order as Wine's registry lists them.
  std::map<std::string, shared::RegValueData, NameLess> values;
  bool Denied() const { return denyWrites || (parent != nullptr && parent->Denied()); }
};

FakeRegistry::FakeRegistry() {
  for (shared::RegRoot root : {shared::kHkeyCurrentUser, shared::kHkeyLocalMachine})
    roots_[root] = std::make_unique<Key>();
}
FakeRegistry::~FakeRegistry() = default;

std::vector<std::string> FakeRegistry::Resolve(shared::RegRoot& root, const std::string& path,
                                               shared::RegView view) const {
  std::vector<std::string> parts = SplitPath(path);
  if (root == shared::kHkeyClassesRoot) {
    parts.insert(parts.begin(), {"SOFTWARE", "Classes"});
    root = shared::kHkeyLocalMachine;
  }
  if (view != shared::RegView::k32 || !twoViews_ || root != shared::kHkeyLocalMachine) return parts;
  const auto is = [&](std::size_t i, const char* name) {
    return i < parts.size() && shared::EqualsIgnoreCase(parts[i], name);
  };
  if (!is(0, "SOFTWARE")) return parts;
  // The machine's classes have their own 32-bit keys; the rest of SOFTWARE has its own too.
  const std::size_t at = is(1, "Classes") ? 2 : 1;
  if (!is(at, "Wow6432Node")) parts.insert(parts.begin() + static_cast<std::ptrdiff_t>(at), "Wow6432Node");
  return parts;
}

FakeRegistry::Key* FakeRegistry::Find(shared::RegRoot root, const std::string& path, shared::RegView view) const {
  const std::vector<std::string> parts = Resolve(root, path, view);
  const auto found = roots_.find(root);
  if (found == roots_.end()) return nullptr;
  Key* key = found->second.get();
  for (const auto& part : parts) {
    const auto sub = key->subkeys.find(part);
    if (sub == key->subkeys.end()) return nullptr;
    key = sub->second.get();
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::FromHandle(shared::KeyHandle key) const {
  const auto found = handles_.find(key);
  return found == handles_.end() ? nullptr : found->second.key;
}

shared::KeyHandle FakeRegistry::NewHandle(Key* key, bool writable) {
  const shared::KeyHandle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = {key, writable};
  return handle;
}

Result<shared::KeyHandle> FakeRegistry::OpenKey(shared::RegRoot root, const std::string& path,
                                                shared::KeyAccess access, shared::RegView view) {
  Key* key = Find(root, path, view);
  if (key == nullptr) return Error(shared::kErrorFileNotFound);
  const bool writable = access == shared::KeyAccess::kWrite;
  if (writable && key->Denied()) return Error(shared::kErrorAccessDenied);
  if (access == shared::KeyAccess::kRead && key->denyListing) return Error(shared::kErrorAccessDenied);
  return NewHandle(key, writable);
}

Result<shared::KeyHandle> FakeRegistry::CreateKey(shared::RegRoot root, const std::string& path, shared::RegView view) {
  const std::vector<std::string> parts = Resolve(root, path, view);
  const auto found = roots_.find(root);
  if (found == roots_.end()) return Error(shared::kErrorInvalidHandle);
  Key* key = found->second.get();
  for (const auto& part : parts) {
    auto sub = key->subkeys.find(part);
    if (sub == key->subkeys.end()) {
      if (key->Denied()) return Error(shared::kErrorAccessDenied);
      auto child = std::make_unique<Key>();
      child->parent = key;
      sub = key->subkeys.emplace(part, std::move(child)).first;
    }
    key = sub->second.get();
  }
  if (key->Denied()) return Error(shared::kErrorAccessDenied);
  return NewHandle(key, true);
}

void FakeRegistry::CloseKey(shared::KeyHandle key) { handles_.erase(key); }

Status FakeRegistry::DeleteKey(shared::RegRoot root, const std::string& path, shared::RegView view) {
  Key* key = Find(root, path, view);
  if (key == nullptr) return Error(shared::kErrorFileNotFound);
  if (key->parent == nullptr || !key->subkeys.empty() || key->Denied()) return Error(shared::kErrorAccessDenied);
  // Handles still open on the key go stale, as on the platform.
  std::erase_if(handles_, [key](const auto& open) { return open.second.key == key; });
  std::erase_if(key->parent->subkeys, [key](const auto& sub) { return sub.second.get() == key; });
  return Status::Ok();
}

Result<shared::RegValueData> FakeRegistry::QueryValue(shared::KeyHandle handle, const std::string& name) {
  Key* key = FromHandle(handle);
  if (key == nullptr) return Error(shared::kErrorInvalidHandle);
  const auto value = key->values.find(shared::UpToNul(name));
  if (value == key->values.end()) return Error(shared::kErrorFileNotFound);
  return value->second;
}

Status FakeRegistry::SetValue(shared::KeyHandle handle, const std::string& name, const shared::RegValueData& data) {
  Key* key = FromHandle(handle);
  if (key == nullptr) return Error(shared::kErrorInvalidHandle);
  if (!handles_[handle].writable || key->Denied()) return Error(shared::kErrorAccessDenied);
  key->values.insert_or_assign(shared::UpToNul(name), data);  // an existing value keeps the case of its name
  return Status::Ok();
}

Status FakeRegistry::DeleteValue(shared::KeyHandle handle, const std::string& name) {
  Key* key = FromHandle(handle);
  if (key == nullptr) return Error(shared::kErrorInvalidHandle);
  if (!handles_[handle].writable || key->Denied()) return Error(shared::kErrorAccessDenied);
  return key->values.erase(shared::UpToNul(name)) == 0 ? Error(shared::kErrorFileNotFound) : Status::Ok();
}

Result<shared::RegKeyInfo> FakeRegistry::QueryInfo(shared::KeyHandle handle) {
  Key* key = FromHandle(handle);
  if (key == nullptr) return Error(shared::kErrorInvalidHandle);
  return shared::RegKeyInfo{static_cast<std::uint32_t>(key->subkeys.size()),
                            static_cast<std::uint32_t>(key->values.size()) + valuesCountedMore_};
}

Result<std::string> FakeRegistry::EnumValueName(shared::KeyHandle handle, std::uint32_t index) {
  auto entry = EnumValue(handle, index);
  if (!entry.ok()) return entry.status();
  return entry.value().name;
}

Result<shared::RegValueEntry> FakeRegistry::EnumValue(shared::KeyHandle handle, std::uint32_t index) {
  Key* key = FromHandle(handle);
  if (key == nullptr) return Error(shared::kErrorInvalidHandle);
  if (index >= key->values.size()) return Error(shared::kErrorNoMoreItems);
  const auto& [name, data] = *std::next(key->values.begin(), index);
  return shared::RegValueEntry{name, data};
}

Result<std::string> FakeRegistry::EnumKeyName(shared::KeyHandle handle, std::uint32_t index) {
  Key* key = FromHandle(handle);
  if (key == nullptr) return Error(shared::kErrorInvalidHandle);
  if (index >= key->subkeys.size()) return Error(shared::kErrorNoMoreItems);
  return std::next(key->subkeys.begin(), index)->first;
}

void FakeRegistry::DenyWrites(shared::RegRoot root, const std::string& path) {
  auto created = CreateKey(root, path);
  if (created.ok()) CloseKey(created.value());
  if (Key* key = Find(root, path)) key->denyWrites = true;
}

void FakeRegistry::DenyListing(shared::RegRoot root, const std::string& path) {
  if (Key* key = Find(root, path)) key->denyListing = true;
}

}  // namespace fakes
