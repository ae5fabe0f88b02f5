#pragma once
// The main window's start and exit sequences: enumeration plus store, or the start-up profile
// when Plugwarden starts with Windows; at exit the setting, the "KQ_BHO" Run value and the
// store or the profile.
#include <string>

#include "plugwarden/bho_catalogue.h"
#include "plugwarden/bho_staging.h"
#include "shared/settings_port.h"

namespace plugwarden {

inline constexpr char kStartSection[] = "Start";
inline constexpr char kStartKey[] = "Check1";
inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "KQ_BHO";

// The stored check-box state: only "1" is on.
bool ReadStartWithWindows(shared::SettingsPort& settings);

struct StartOutcome {
  bool startWithWindows = false;
  // What went wrong while the rows were read or applied, shown once the window is up; "" when
  // nothing did.
  std::string message;
};

// Fills the list (enumeration and store, or the start-up profile), builds the tables and, with
// the box on, applies the profile as its label promises.
StartOutcome RunStart(BhoStaging& staging, BhoSources& sources, shared::ListModel& list,
                      shared::SettingsPort& settings, BhoMachine& machine);

// programPath: the program's full path, what Windows starts at logon. Failures are shown, or
// written to the error log while Windows ends the session (no one is there to answer a box).
void RunExit(BhoStaging& staging, const shared::ListModel& list, bool startWithWindows,
             const std::string& programPath, shared::SettingsPort& settings, BhoMachine& machine,
             bool sessionEnding = false);

}  // namespace plugwarden
