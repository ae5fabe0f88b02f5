#include "bootwarden/startup_approved.h"

#include "bootwarden/startup_sources.h"

namespace bootwarden {
namespace {

constexpr std::size_t kRecordSize = 12;

shared::Status WriteSwitch(shared::RegistryPort& registry, const ApprovalKey& where, const std::string& name,
                           bool on, std::uint64_t fileTime) {
  auto created = registry.CreateKey(where.root, where.path);
  if (!created.ok()) return created.status();
  shared::ScopedKey key(registry, created.value());
  return registry.SetValue(key.get(), name, SwitchRecord(on, fileTime));
}

}  // namespace

std::optional<ApprovalKey> ApprovalKeyOf(const std::string& loadFrom) {
  LocationNames names;
  FillLocationNames(names);
  const std::string base = kStartupApprovedBase;
  if (loadFrom == names[kUserRun]) return ApprovalKey{shared::kHkeyCurrentUser, base + "Run"};
  if (loadFrom == names[kMachineRun]) return ApprovalKey{shared::kHkeyLocalMachine, base + "Run"};
  if (loadFrom == Location32(kKeyRun)) return ApprovalKey{shared::kHkeyLocalMachine, base + "Run32"};
  if (loadFrom == names[kStartupCurrentUser]) return ApprovalKey{shared::kHkeyCurrentUser, base + "StartupFolder"};
  if (loadFrom == names[kStartupAllUsers]) return ApprovalKey{shared::kHkeyLocalMachine, base + "StartupFolder"};
  return std::nullopt;
}

bool SwitchesOff(const shared::RegValueData& value) {
  // Windows writes 2 and 3, and 6 and 7 have been seen: the low bit is the switch. Anything
  // else is no record of it, and so no reason to call the entry off.
  return value.type == shared::kRegBinary && value.bytes.size() >= kRecordSize && (value.bytes[0] & 1) != 0;
}

shared::RegValueData SwitchRecord(bool on, std::uint64_t fileTime) {
  std::string bytes(kRecordSize, '\0');
  bytes[0] = on ? '\x02' : '\x03';
  for (int i = 0; i < 8; ++i) bytes[4 + i] = static_cast<char>((fileTime >> (8 * i)) & 0xFF);
  return {shared::kRegBinary, bytes};
}

ApprovalSwitches::ApprovalSwitches(shared::RegistryPort& registry, const std::string& loadFrom)
    : registry_(registry) {
  const std::optional<ApprovalKey> where = ApprovalKeyOf(loadFrom);
  if (!where) return;
  auto opened = registry.OpenKey(where->root, where->path, shared::KeyAccess::kQueryValue);
  if (opened.ok()) key_ = shared::ScopedKey(registry, opened.value());
}

bool ApprovalSwitches::Off(const std::string& name) const {
  if (key_.get() == 0) return false;
  auto value = registry_.QueryValue(key_.get(), name);
  return value.ok() && SwitchesOff(value.value());
}

shared::Status SwitchOn(shared::RegistryPort& registry, const ApprovalKey& where, const std::string& name,
                        std::uint64_t fileTime) {
  auto opened = registry.OpenKey(where.root, where.path, shared::KeyAccess::kQueryValue);
  // No key, no switch; a key that cannot be read may hold one that keeps the entry off.
  if (!opened.ok()) return opened.status().IsNotFound() ? shared::Status::Ok() : opened.status();
  bool off = false;
  {
    shared::ScopedKey key(registry, opened.value());
    auto value = registry.QueryValue(key.get(), name);
    off = value.ok() && SwitchesOff(value.value());
  }
  if (!off) return shared::Status::Ok();
  return WriteSwitch(registry, where, name, true, fileTime);
}

shared::Status SwitchOff(shared::RegistryPort& registry, const ApprovalKey& where, const std::string& name,
                         std::uint64_t fileTime) {
  return WriteSwitch(registry, where, name, false, fileTime);
}

}  // namespace bootwarden
