#include "tests/common/bootwarden_rig.h"

#include "tests/common/registry_seed.h"

namespace testing_support {

BootwardenRun::BootwardenRun(StartupMachine& machine, shared::PromptPort& prompt)
    : machine_(machine),
      store_(*machine.registry),
      reg_(*machine.registry),
      // No pack in the target folder: every text is its English default.
      language_(*machine.profile, *machine.files, *machine.clock, machine.targetFolder),
      sources{store_, reg_, *machine.profile, *machine.files, *machine.shellFolders, *machine.windowsFolder,
              *machine.shortcuts, names_, *machine.registry},
      targets{*machine.registry, *machine.profile, *machine.files, *machine.shellFolders, *machine.windowsFolder,
              *machine.shortcuts, prompt, *machine.system, language_, *machine.clock},
      staging(list, targets) {
  staging.SetCaptions("&Disable", "&Enable");
}

shared::Status BootwardenRun::Start() {
  bootwarden::EnumerateStartupEntries(sources, list);
  shared::Status loaded = staging.LoadStore();
  staging.TakeSnapshot();
  return loaded;
}

std::string RunValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& key,
                     const std::string& name) {
  const auto [type, text] = ReadValue(registry, root, std::string(bootwarden::kRunKeyBase) + key, name);
  return type == shared::kRegNone ? "<none>" : text;
}

}  // namespace testing_support
