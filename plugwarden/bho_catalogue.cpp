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

  for (const std::string& name : enumerated.value()) {
    const std::string objectPath = std::string(kBhoKeyPath) + "\\" + name;
    sources.reg1.KeyPath = objectPath;

    // The count includes the NUL the read keeps: two visible letters or fewer are "UnKnown".
    const shared::ScopedKey objectKey = sources.store.OpenKeyForQuery(kHkeyLocalMachine, objectPath);
    const std::string displayName = shared::TrimSpaces(sources.store.ReadValueText(objectKey, ""));
    const int row = list.Add(displayName.size() < 4 ? std::string(kUnknownName)
                                                    : sources.store.ReadValueText(objectKey, ""));

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
    if (!sources.reg2.KeyExists()) {
      fail(kNoInprocServer);
      continue;
    }

    const shared::ScopedKey serverKey = sources.store.OpenKeyForQuery(kHkeyClassesRoot, serverPath);
    // Used as the registry holds it: not expanded, not trimmed further; a lone NUL is not "".
    const std::string modulePath = sources.store.ReadValueText(serverKey, "");
    if (modulePath.empty()) {
      fail(kModuleNotFound);
      continue;
    }
    if (!shared::FileExists(sources.files, modulePath)) {
      fail(kPathWithoutModule);
      list.SetText(row, BhoEntry::kPath, modulePath);
      continue;
    }

    list.SetText(row, BhoEntry::kStatus, shared::kStatusEnabled);
    list.SetText(row, BhoEntry::kVersion, shared::GetFileVersion(sources.versions, modulePath));
    list.SetText(row, BhoEntry::kPath, modulePath);
    list.SetText(row, BhoEntry::kIdentifier, name);
    // The description is taken for the path as the list shows it.
    const std::string shownPath = list.Text(row, BhoEntry::kPath);
    list.SetText(row, BhoEntry::kInformation,
                 shared::GetFileVersionRecord(sources.files, sources.versions, shownPath)
                     [shared::FileVersionRecord::kFileDescription]);
  }
  return shared::Status::Ok();
}

}  // namespace plugwarden
