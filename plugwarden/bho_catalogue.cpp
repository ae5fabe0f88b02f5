#include "plugwarden/bho_catalogue.h"

#include "shared/file_version.h"
#include "shared/text.h"

namespace plugwarden {

using shared::kHkeyClassesRoot;
using shared::kHkeyLocalMachine;
using shared::RegView;

namespace {
constexpr std::size_t kMarkerLength = sizeof(kView32Marker) - 1;
}  // namespace

// A 64-bit program reading "<Windows>\System32\x.dll" gets the 64-bit file.
std::string ModuleAsLoaded(const std::string& path, RegView view, shared::WindowsFolderPort& windowsFolder) {
  if (view != RegView::k32) return path;
  const std::string windows = shared::GetWinDir(windowsFolder);
  const std::string system = windows + "\\System32\\";
  if (windows.empty() || path.size() <= system.size() || !shared::EqualsIgnoreCase(path.substr(0, system.size()), system))
    return path;
  return windows + "\\SysWOW64\\" + path.substr(system.size());
}

BhoKey KeyOfRow(const std::string& rowIdentifier) {
  if (rowIdentifier.size() >= kMarkerLength &&
      shared::EqualsIgnoreCase(rowIdentifier.substr(0, kMarkerLength), kView32Marker))
    return {rowIdentifier.substr(kMarkerLength), RegView::k32};
  return {rowIdentifier, RegView::kNative};
}

std::string ShownBhoKeyPath(RegView view) {
  const std::string path = kBhoKeyPath;
  // "SOFTWARE\" + "Wow6432Node\" + the rest: where the 32-bit view keeps it.
  return view == RegView::k32 ? path.substr(0, 9) + kView32Marker + path.substr(9) : path;
}

std::vector<RegView> ListedViews(const shared::RegistryStore& store) {
  if (store.HasTwoViews()) return {RegView::kNative, RegView::k32};
  return {RegView::kNative};
}

shared::Status SetBHOIntoList(BhoSources& sources, shared::ListModel& list, RegView view) {
  sources.reg1.RootKey = kHkeyLocalMachine;
  sources.reg1.KeyPath = kBhoKeyPath;
  sources.reg1.View = view;
  sources.reg2.View = view;
  auto enumerated = sources.reg1.EnumKeys();
  if (!enumerated.ok()) return enumerated.status();
  const std::string marker = view == RegView::k32 ? kView32Marker : "";

  // A module behind many objects is read once for all of them.
  shared::ModuleVersionCache modules(sources.files, sources.versions);
  for (const std::string& name : enumerated.value()) {
    const std::string objectPath = std::string(kBhoKeyPath) + "\\" + name;
    sources.reg1.KeyPath = objectPath;

    // The count includes the NUL the read keeps: two visible letters or fewer are "UnKnown".
    // A second read of the value would give the same text, so the first one is shown.
    std::string objectName;
    {
      const shared::ScopedKey objectKey = sources.store.OpenKeyForQuery(kHkeyLocalMachine, objectPath, view);
      objectName = sources.store.ReadValueText(objectKey, "");
    }
    const int row = list.Add(shared::TrimSpaces(objectName).size() < 4 ? std::string(kUnknownName) : objectName);

    const auto fail = [&](const char* information) {
      list.SetText(row, BhoEntry::kStatus, shared::kStatusError);
      list.SetText(row, BhoEntry::kInformation, information);
      list.SetText(row, BhoEntry::kIdentifier, marker + name);
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
    const shared::ScopedKey serverKey = sources.store.OpenKeyForQuery(kHkeyClassesRoot, serverPath, view);
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
    const auto attributes = sources.files.GetAttributes(ModuleAsLoaded(modulePath, view, sources.windowsFolder));
    if (!attributes || attributes->directory) {
      fail(kPathWithoutModule);
      list.SetText(row, BhoEntry::kPath, modulePath);
      continue;
    }

    list.SetText(row, BhoEntry::kStatus, shared::kStatusEnabled);
    list.SetText(row, BhoEntry::kPath, modulePath);
    list.SetText(row, BhoEntry::kIdentifier, marker + name);
    // The version and description are taken for the path as the list shows it.
    const shared::ModuleVersion& module =
        modules.Read(ModuleAsLoaded(list.Text(row, BhoEntry::kPath), view, sources.windowsFolder), *attributes);
    list.SetText(row, BhoEntry::kVersion, module.version);
    list.SetText(row, BhoEntry::kInformation, module.description);
  }
  return shared::Status::Ok();
}

}  // namespace plugwarden
