#pragma once
// Windows' own switch for start-up entries (Task Manager's Startup page, Settings): the entry
// stays in its Run key or Startup folder, and a 12-byte binary value of its name under
// "...\Explorer\StartupApproved\<Run|Run32|StartupFolder>" of the same hive says whether it is
// started: byte 0 even is on, odd is off; bytes 4 to 11 the FILETIME of the change. No value, or
// one that is not such a record, means on.
#include <cstdint>
#include <optional>
#include <string>

#include "shared/registry_port.h"
#include "shared/status.h"

namespace bootwarden {

inline constexpr char kStartupApprovedBase[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

// Where the switches of a location's entries are kept (in the native view; "Run32" for the
// 32-bit view's Run); none for locations Windows does not switch (RunOnce, RunOnceEx,
// RunServices, win.ini).
struct ApprovalKey {
  shared::RegRoot root;
  std::string path;
};
std::optional<ApprovalKey> ApprovalKeyOf(const std::string& loadFrom);

// Whether the value switches its entry off.
bool SwitchesOff(const shared::RegValueData& value);
// The record Windows writes: 2 (on) or 3 (off), three zero bytes, the time.
shared::RegValueData SwitchRecord(bool on, std::uint64_t fileTime);

// The switches of one location, its key opened once for a whole enumeration.
class ApprovalSwitches {
 public:
  ApprovalSwitches(shared::RegistryPort& registry, const std::string& loadFrom);
  // name: the Run value's name, or the Startup-folder file's name ("Tool.lnk").
  bool Off(const std::string& name) const;

 private:
  shared::RegistryPort& registry_;
  shared::ScopedKey key_;
};

// Switches the entry on (only when a record switches it off: a missing or foreign value is left
// alone) or off, as Windows does.
shared::Status SwitchOn(shared::RegistryPort& registry, const ApprovalKey& where, const std::string& name,
                        std::uint64_t fileTime);
shared::Status SwitchOff(shared::RegistryPort& registry, const ApprovalKey& where, const std::string& name,
                         std::uint64_t fileTime);

}  // namespace bootwarden
