#include "plugwarden/bho_startup.h"

#include "plugwarden/bho_files.h"

namespace plugwarden {
namespace {

constexpr char kCrLf[] = "\r\n";

void AddLine(std::string& message, const std::string& text) {
  if (!message.empty()) message += std::string(kCrLf) + kCrLf;
  message += text;
}

std::string CouldNot(const std::string& what, const shared::Status& failure) {
  return what + kCrLf + "Describition: " + failure.message();
}

void Show(BhoMachine& machine, const std::string& text) {
  machine.prompt.Ask(text, shared::kMbIconCritical, kAppTitle);
}

}  // namespace

bool ReadStartWithWindows(shared::SettingsPort& settings) {
  return settings.GetSetting(kAppTitle, kStartSection, kStartKey) == "1";
}

StartOutcome RunStart(BhoStaging& staging, BhoSources& sources, shared::ListModel& list,
                      shared::SettingsPort& settings, BhoMachine& machine) {
  StartOutcome outcome;
  outcome.startWithWindows = ReadStartWithWindows(settings);
  if (!outcome.startWithWindows) {
    const shared::Status listed = SetBHOIntoList(sources, list);
    if (!listed.ok())
      AddLine(outcome.message, CouldNot(machine.language.SetCaptionfromINI("8602", "") + "HKEY_LOCAL_MACHINE\\" +
                                            kBhoKeyPath,
                                        listed));
    const shared::Status read = LoadDisabledStore(machine.files, machine.windowsFolder, list);
    if (!read.ok())
      AddLine(outcome.message,
              CouldNot("The disabled objects could not be read from " + DisabledStorePath(machine.windowsFolder) + ".",
                       read));
  } else {
    const shared::Status read = LoadStartProfile(machine.files, machine.windowsFolder, list);
    if (!read.ok())
      AddLine(outcome.message,
              CouldNot("The start-up profile could not be read from " + StartProfilePath(machine.windowsFolder) + ".",
                       read));
  }
  // The rows' statuses count as applied, the profile's included.
  staging.BuildTables();
  if (outcome.startWithWindows) {
    const std::string failures = staging.ApplyList();
    if (!failures.empty()) AddLine(outcome.message, failures);
  }
  return outcome;
}

void RunExit(BhoStaging& staging, const shared::ListModel& list, bool startWithWindows,
             const std::string& programPath, shared::SettingsPort& settings, BhoMachine& machine) {
  // Losing the box's state only means the next start uses the default.
  settings.SaveSetting(kAppTitle, kStartSection, kStartKey, startWithWindows ? "1" : "0").IgnoreError();

  shared::RegistryComponent reg1(machine.registry);
  reg1.RootKey = shared::kHkeyCurrentUser;
  reg1.KeyPath = kRunKeyPath;
  reg1.ValueName = kRunValueName;
  if (startWithWindows) {
    reg1.ValueData = programPath;
    shared::Status registered = reg1.CreateKey();
    if (registered.ok()) registered = reg1.SetValue();
    if (!registered.ok())
      Show(machine, CouldNot("Plugwarden could not register itself to start with Windows.", registered));
    const shared::Status saved = SaveList(machine.files, machine.windowsFolder, list);
    if (!saved.ok())
      Show(machine, CouldNot("The start-up profile could not be saved to " + StartProfilePath(machine.windowsFolder) +
                                 "; the disabled objects stay in " + DisabledStorePath(machine.windowsFolder) + ".",
                             saved));
    return;
  }
  // No value there is the usual case.
  reg1.DeleteValue().IgnoreError();
  const shared::Status saved = staging.SaveStore();
  if (!saved.ok())
    Show(machine, CouldNot("The list of disabled objects could not be saved to " +
                               DisabledStorePath(machine.windowsFolder) + "; the old list stays.",
                           saved));
}

}  // namespace plugwarden
