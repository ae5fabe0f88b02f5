#include "plugwarden/bho_catalogue.h"

#include "shared/file_version.h"
#include "shared/text.h"

namespace plugwarden {

using shared::kHkeyClassesRoot;
using shared::kHkeyLocalMachine;

shared::Status SetBHOIntoList(BhoSources& sources, shared::ListModel& list) {
  sources.reg1.RootKey = kHkeyLocalMachine;
  sources.reg1.KeyPath = kBhoKeyPath;
  auto enumerated = sources.reg1.EnumKeys();
  if (!enumerated.ok()) return enumerated.status();

  // A module behind many objects is read once for all of them.
  shared::ModuleVersionCache modules(sources.files, sources.versions);
  for (const std::string& name : enumerated.value()) {
    const std::string objectPath = std::string(kBhoKeyPath) + "\\" + name;
    sources.reg1.KeyPath = objectPath;

    // The count includes the NUL the read keeps: two visible letters or fewer are "UnKnown".
    // A second read of the value would give the same text, so the first one is shown.
    std::string objectName;
    {
      const shared::ScopedKey objectKey = sources.store.OpenKeyForQuery(kHkeyLocalMachine, objectPath);
      objectName = sources.store.ReadValueText(objectKey, "");
    }
    const int row = list.Add(shared::TrimSpaces(objectName).size() < 4 ? std::string(kUnknownName) : objectName);

    const auto fail = [&](const char* information) {
      list.SetText(row, BhoEntry::kStatus, shared::kStatusError);
      list.SetText(row, BhoEntry::kInformation, information);
      list.SetText(row, BhoEntry::kIdentifier, name);
    };

    sources.reg2.RootKey = kHkeyClassesRoot;
    sources.reg2.KeyPath = "CLSID\\" + name;
    if (!sources.reg2.KeyExists()) {
      fail(kNotRegistered);
      continue;
    }
    const std::string serverPath = "CLSID\\" + name + "\\InprocServer32";
    sources.reg2.KeyPath = serverPath;
    // The key that opens for its value exists; only one that does not open needs the check.
    const shared::ScopedKey serverKey = sources.store.OpenKeyForQuery(kHkeyClassesRoot, serverPath);
    if (serverKey.get() == 0 && !sources.reg2.KeyExists()) {
      fail(kNoInprocServer);
      continue;
    }
    // Used as the registry holds it: not expanded, not trimmed further; a lone NUL is not "".
    const std::string modulePath = sources.store.ReadValueText(serverKey, "");
    if (modulePath.empty()) {
      fail(kModuleNotFound);
      continue;
    }
    const auto attributes = sources.files.GetAttributes(modulePath);
    if (!attributes || attributes->directory) {
      fail(kPathWithoutModule);
      list.SetText(row, BhoEntry::kPath, modulePath);
      continue;
    }

    list.SetText(row, BhoEntry::kStatus, shared::kStatusEnabled);
    list.SetText(row, BhoEntry::kPath, modulePath);
    list.SetText(row, BhoEntry::kIdentifier, name);
    // The version and description are taken for the path as the list shows it.
    const shared::ModuleVersion& module = modules.Read(list.Text(row, BhoEntry::kPath), *attributes);
    list.SetText(row, BhoEntry::kVersion, module.version);
    list.SetText(row, BhoEntry::kInformation, module.description);
  }
  return shared::Status::Ok();
}

}  // namespace plugwarden
