#include "tests/common/bootwarden_rig.h"

namespace testing_support {

BootwardenRun::BootwardenRun(StartupMachine& machine, shared::PromptPort& prompt)
    : machine_(machine),
      store_(*machine.registry),
      reg_(*machine.registry),
      sources{store_, reg_, *machine.profile, *machine.files, *machine.shellFolders, *machine.windowsFolder,
              *machine.shortcuts, names_},
      targets{*machine.registry, *machine.profile, *machine.files, *machine.shellFolders, *machine.windowsFolder,
              *machine.shortcuts, prompt},
      staging(list, targets) {
  staging.SetCaptions("&Disable", "&Enable");
}

shared::Status BootwardenRun::Start() {
  bootwarden::EnumerateStartupEntries(sources, list);
  shared::Status loaded = staging.LoadStore();
  staging.TakeSnapshot();
  return loaded;
}

int BootwardenRun::PositionOf(const std::string& loadFrom, const std::string& taskName,
                              const std::string& status) const {
  for (int position = 1; position <= list.Count(); ++position) {
    if (list.Text(position, bootwarden::StartupEntry::kLoadFrom) == loadFrom &&
        list.Text(position, bootwarden::StartupEntry::kTaskName) == taskName &&
        (status.empty() || list.Text(position, bootwarden::StartupEntry::kStatus) == status))
      return position;
  }
  return 0;
}

void BootwardenRun::Toggle(int position) {
  staging.SelectRow(position);
  staging.DisableClicked();
}

void BootwardenRun::MarkRemove(int position) {
  staging.SelectRow(position);
  staging.RemoveClicked();
}

}  // namespace testing_support
