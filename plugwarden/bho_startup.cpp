#include "plugwarden/bho_startup.h"

#include "plugwarden/bho_files.h"

namespace plugwarden {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kLeftAsItIs[] =
    "It is left as it is, and nothing can be applied until Plugwarden is started again with it readable.";

void AddLine(std::string& message, const std::string& text) {
  if (!message.empty()) message += std::string(kCrLf) + kCrLf;
  message += text;
}

std::string CouldNot(shared::LanguagePack& language, const std::string& what, const shared::Status& failure) {
  return what + kCrLf + language.SetCaptionfromINI(kDescriptionKey, kDescriptionLabel) + " " + failure.message();
}

// "<sentence> <path>. It is left as it is ..."
std::string UnreadLeftAsItIs(shared::LanguagePack& language, const char* key, const char* sentence,
                             const std::string& path) {
  return language.SetCaptionfromINI(key, sentence) + " " + path + ". " + language.SetCaptionfromINI("8613", kLeftAsItIs);
}

void Show(BhoMachine& machine, bool sessionEnding, const std::string& text) {
  if (sessionEnding) machine.language.WriteErrorLog(text);
  else machine.prompt.Ask(text, shared::kMbIconCritical, kAppTitle);
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
    for (const shared::RegView view : ListedViews(sources.store)) {
      const shared::Status listed = SetBHOIntoList(sources, list, view);
      if (!listed.ok())
        AddLine(outcome.message, CouldNot(machine.language,
                                          machine.language.SetCaptionfromINI("8602", "") + "HKEY_LOCAL_MACHINE\\" +
                                              ShownBhoKeyPath(view),
                                          listed));
    }
  } else {
    const shared::Status read = LoadStartProfile(machine.files, machine.windowsFolder, list);
    if (!read.ok()) {
      // Its disabled objects may be nowhere else: neither it nor the store is rewritten this run.
      staging.LeaveStoreAsIs(shared::Status::Error(read.code(), read.message() + " (" +
                                                                StartProfilePath(machine.windowsFolder) +
                                                                " could not be read at start)"));
      staging.KeepStartProfile();
      AddLine(outcome.message,
              CouldNot(machine.language,
                       UnreadLeftAsItIs(machine.language, "8611", "The start-up profile could not be read from",
                                        StartProfilePath(machine.windowsFolder)),
                       read));
    }
  }
  // With the box on, the objects disabled but not in the profile (staged "Remove" at exit).
  const shared::Status read = staging.StoreUnread() ? shared::Status::Ok() : staging.LoadStore(outcome.startWithWindows);
  if (!read.ok())
    AddLine(outcome.message,
            CouldNot(machine.language,
                     UnreadLeftAsItIs(machine.language, "8612", "The disabled objects could not be read from",
                                      DisabledStorePath(machine.windowsFolder)),
                     read));
  // The rows' statuses count as applied, the profile's included.
  staging.BuildTables();
  if (outcome.startWithWindows) {
    const std::string failures = staging.ApplyList();
    if (!failures.empty()) AddLine(outcome.message, failures);
  }
  return outcome;
}

void RunExit(BhoStaging& staging, const shared::ListModel& list, bool startWithWindows,
             const std::string& programPath, shared::SettingsPort& settings, BhoMachine& machine,
             bool sessionEnding) {
  // Losing the box's state only means the next start uses the default.
  settings.SaveSetting(kAppTitle, kStartSection, kStartKey, startWithWindows ? "1" : "0").IgnoreError();

  shared::RegistryComponent reg1(machine.registry);
  reg1.RootKey = shared::kHkeyCurrentUser;
  reg1.KeyPath = kRunKeyPath;
  reg1.ValueName = kRunValueName;
  if (startWithWindows) {
    // Quoted: unquoted, a path with blanks ("C:\Program Files\...") would let Windows start
    // "C:\Program.exe" first.
    reg1.ValueData = "\"" + programPath + "\"";
    shared::Status registered = reg1.CreateKey();
    if (registered.ok()) registered = reg1.SetValue();
    if (!registered.ok())
      Show(machine, sessionEnding,
           CouldNot(machine.language,
                    machine.language.SetCaptionfromINI("8614", "Plugwarden could not register itself to start with Windows."),
                    registered));
    const shared::Status saved =
        staging.StartProfileKept() ? shared::Status::Ok() : SaveList(machine.files, machine.windowsFolder, list);
    if (!saved.ok())
      Show(machine, sessionEnding,
           CouldNot(machine.language,
                    machine.language.SetCaptionfromINI("8615", "The start-up profile could not be saved to") + " " +
                        StartProfilePath(machine.windowsFolder) +
                        machine.language.SetCaptionfromINI("8616", "; the disabled objects stay in") + " " +
                        DisabledStorePath(machine.windowsFolder) + ".",
                    saved));
  } else {
    // No value there is the usual case.
    reg1.DeleteValue().IgnoreError();
  }
  const shared::Status saved = staging.SaveStore();
  if (!saved.ok())
    Show(machine, sessionEnding,
         CouldNot(machine.language,
                  machine.language.SetCaptionfromINI(kStoreNotSavedKey, kStoreNotSavedDefault) + " " +
                      DisabledStorePath(machine.windowsFolder) +
                      machine.language.SetCaptionfromINI("8617", "; the old list stays."),
                  saved));
}

}  // namespace plugwarden
