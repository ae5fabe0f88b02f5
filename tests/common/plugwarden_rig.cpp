#include "tests/common/plugwarden_rig.h"

#include "tests/common/registry_seed.h"

namespace testing_support {

PlugwardenRun::PlugwardenRun(StartupMachine& ports, shared::PromptPort& prompt, shared::LanguagePack& language)
    : settings_(*ports.settings),
      store_(*ports.registry),
      reg1_(*ports.registry),
      reg2_(*ports.registry),
      sources{reg1_, reg2_, store_, *ports.files, *ports.versions, *ports.windowsFolder},
      machine{*ports.registry, *ports.system, prompt, language, *ports.files, *ports.windowsFolder},
      staging(list, machine) {
  staging.SetCaptions("&Disable", "&Enable");
}

int PlugwardenRun::PositionOf(const std::string& id) const {
  for (int position = 1; position <= list.Count(); ++position)
    if (list.Text(position, plugwarden::BhoEntry::kIdentifier) == id) return position;
  return 0;
}

std::string ObjectId(int n) { return "{C000000" + std::to_string(n) + "-0000-4000-8000-00000000C0DE}"; }
std::string ObjectName(int n) { return "Object " + std::to_string(n); }
std::string ObjectKey(int n) { return std::string(plugwarden::kBhoKeyPath) + "\\" + ObjectId(n); }
std::string ClassKey(int n) { return "CLSID\\" + ObjectId(n); }

void SeedObjects(shared::RegistryPort& registry, const std::string& module) {
  ClearObjects(registry);
  for (int n = 1; n <= 4; ++n) {
    SeedString(registry, shared::kHkeyLocalMachine, ObjectKey(n), "", ObjectName(n));
    SeedString(registry, shared::kHkeyClassesRoot, ClassKey(n) + "\\InprocServer32", "", module);
    SeedString(registry, shared::kHkeyClassesRoot, ClassKey(n) + "\\ProgID", "", "Warden.Object" + std::to_string(n));
  }
}

void ClearObjects(shared::RegistryPort& registry) {
  for (shared::RegView view : {shared::RegView::kNative, shared::RegView::k32}) {
    DeleteTree(registry, shared::kHkeyLocalMachine, plugwarden::kBhoKeyPath, view);
    for (int n = 1; n <= 4; ++n) DeleteTree(registry, shared::kHkeyClassesRoot, ClassKey(n), view);
  }
}

bool KeyThere(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path, shared::RegView view) {
  auto key = registry.OpenKey(root, path, shared::KeyAccess::kQueryValue, view);
  if (key.ok()) registry.CloseKey(key.value());
  return key.ok();
}

}  // namespace testing_support
