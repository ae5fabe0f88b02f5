// The Wine harness: seeds the machine, or times one piece of work of the programs on the real
// registry, files and windows beside its floor, and prints one line per figure:
//   work N modules seconds floor-seconds ratio peak-MiB
// Usage: warden_wine_bench seed-bho N shared|each | seed-boot N | run WORK N MODULES
#include <windows.h>
#include <psapi.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/win32/bench.h"
#include "bench/win32/timed_ports.h"
#include "bootwarden/startup_files.h"
#include "bootwarden/startup_sources.h"
#include "bootwarden/startup_staging.h"
#include "bootwarden/win32/frm_main.h"
#include "plugwarden/bho_catalogue.h"
#include "plugwarden/bho_files.h"
#include "plugwarden/bho_staging.h"
#include "plugwarden/win32/frm_main.h"
#include "shared/entry_file.h"
#include "shared/kept_copies.h"
#include "shared/language_pack.h"
#include "shared/registry_store.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_dialog.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_session.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/win32_shell.h"
#include "shared/win32/win32_shell_folder.h"
#include "shared/win32/win32_shortcut.h"
#include "shared/win32/win32_system.h"
#include "shared/win32/win32_version.h"
#include "shared/win32/win32_windows_folder.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"

namespace {

using namespace shared::win32;

// The benchmarks confirm every question; nothing else is asked when all goes well.
class YesPrompt final : public shared::PromptPort {
 public:
  int Ask(const std::string& text, int, const std::string&) override {
    std::fprintf(stderr, "asked: %s\n", text.c_str());
    return shared::kAnswerYes;
  }
};

// The real machine as both programs see it, its registry, file, version and shortcut calls
// counted and timed.
struct Machine {
  Win32Registry realRegistry;
  Win32FileSystem realFiles;
  Win32Version realVersions;
  Win32Shortcut realShortcuts;
  bench::Splits splits;
  bench::TimedRegistry registry{realRegistry, splits};
  bench::TimedFiles files{realFiles, splits};
  bench::TimedVersion versions{realVersions, splits};
  bench::TimedShortcut shortcuts{realShortcuts, splits};
  Win32System system;
  Win32Clock clock;
  Win32Profile profile;
  Win32Settings settings;
  Win32WindowsFolder windowsFolder;
  Win32Shell shell;
  Win32ShellFolder realShellFolders;
  bench::TimedShellFolder shellFolders{realShellFolders, splits};
  Win32FileDialog fileDialog;
  Win32Session session;
  YesPrompt prompt;
  std::string folder = bench::HarnessFolder();
  shared::LanguagePack language{profile, files, clock, folder};
  shared::RegistryStore store{registry};
  shared::RegistryComponent reg1{registry}, reg2{registry};
  bootwarden::LocationNames names;
  plugwarden::BhoSources bhoSources{reg1, reg2, store, files, versions, windowsFolder};
  bootwarden::StartupSources startupSources{store, reg1, profile, files, shellFolders, windowsFolder, shortcuts, names, registry};
  bootwarden::StartupTargets startupTargets{registry, profile, files, shellFolders, windowsFolder, shortcuts, prompt, system, language, clock};
  std::string WindowsFolder() { return shared::GetWinDir(windowsFolder); }
};

std::string g_work;
int g_n = 0;
std::string g_modules;

double PeakMiB();
// The program's peak: the process's peak working set right after the first run of the work,
// before any floor of the same process could raise it.
double g_peak = 0;
void NotePeak() {
  if (g_peak == 0) g_peak = PeakMiB();
}

double PeakMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

struct Figure {
  std::string work;
  double seconds;
  double floor;
};
std::vector<Figure> g_figures;

void Report(const std::string& work, double seconds, double floor) { g_figures.push_back({work, seconds, floor}); }

// Work and floor alternate a few times and the best of each is kept: on a busy machine the
// scheduler only ever adds time to a call into the Wine server, so the minimum is the figure.
// Applies too: a flushed file's delete costs what the disk makes of it at that moment, and one
// run at 10,000 was a draw.
int Repetitions() { return g_n <= 1000 ? 5 : 3; }

struct Best {
  double seconds = 1e30;
  void Take(double value) { seconds = std::min(seconds, value); }
};

// First calls load libraries and start Wine's window and COM machinery: paid here, before any
// clock runs, rather than by whichever of work and floor comes first.
void WarmUp(Machine& machine) {
  HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                nullptr);
  ::ShowWindow(list, SW_SHOWNOACTIVATE);
  ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  machine.system.IsNTAdmin();
  ::FindWindowA("IEFrame", nullptr);
  (void)machine.realVersions.GetInfo(std::string(bench::kBenchFolder) + "\\module.dll");
  IShellLinkA* link = nullptr;
  ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link));
  if (link) link->Release();
  char text[64];
  ::GetPrivateProfileStringA("Vexlin Language Pack", "8101", "", text, sizeof text,
                             (machine.folder + "\\Lang\\English.ini").c_str());
  char folder[MAX_PATH];
  ::SHGetFolderPathA(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, folder);
  machine.splits.Clear();
}

void CheckRows(const char* what, int rows, int expected) {
  if (rows != expected) std::fprintf(stderr, "%s: %d rows, expected %d\n", what, rows, expected);
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void ToggleAll(shared::ListModel& list, auto& staging) {
  for (int position = 1; position <= list.Count(); ++position) {
    staging.SelectRow(position);
    staging.DisableClicked();
  }
}

// --- Plugwarden -------------------------------------------------------------------------------

void PlugwardenEnumeration(Machine& machine) {
  Best floor, work;
  std::vector<bench::Row> floorRows;
  shared::ListModel list;
  for (int run = 0; run < Repetitions(); ++run) {
    list.Clear();
    machine.splits.Clear();
    bench::Clock clock;
    plugwarden::SetBHOIntoList(machine.bhoSources, list).IgnoreError();
    work.Take(clock.Seconds());
    NotePeak();
    clock.Restart();
    floorRows = bench::FloorBhoEnumeration();
    floor.Take(clock.Seconds());
  }
  CheckRows("SetBHOIntoList", list.Count(), g_n);
  CheckRows("floor", static_cast<int>(floorRows.size()), g_n);
  if (list.Count() > 0 && list.Text(list.Count(), plugwarden::BhoEntry::kStatus) != shared::kStatusEnabled)
    std::fprintf(stderr, "last row not enabled: %s\n", list.Text(list.Count(), 2).c_str());
  Report("SetBHOIntoList", work.seconds, floor.seconds);
}

void PlugwardenLoad(Machine& machine) {
  ::DeleteFileA((machine.WindowsFolder() + "\\SaveBHOProf.pro").c_str());
  (void)machine.settings.SaveSetting("Plugwarden", "Start", "Check1", "0");
  (void)machine.settings.SaveSetting("Plugwarden", "Language", "Name", "");
  const std::string pack = machine.folder + "\\Lang\\English.ini";
  Best floor, work;
  for (int run = 0; run < Repetitions(); ++run) {
    {
      plugwarden::win32::MainWindowOptions options;
      options.endProgram = [] {};
      plugwarden::win32::frmMain main({machine.registry, machine.files, machine.versions, machine.system,
                                       machine.prompt, machine.language, machine.settings, machine.windowsFolder,
                                       machine.shell, machine.folder + "\\plugwarden.exe"},
                                      std::move(options));
      machine.splits.Clear();
      bench::Clock clock;
      HWND window = main.Load();
      ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      work.Take(clock.Seconds());
      NotePeak();
      CheckRows("frmMain", main.ListView1().Count(), g_n);
      Pump();
    }
    bench::Clock clock;
    HWND floorWindow = bench::FloorWindow(bench::FloorBhoEnumeration(), 6, 25, pack);
    floor.Take(clock.Seconds());
    Pump();
    ::DestroyWindow(floorWindow);
  }
  Report("Plugwarden load", work.seconds, floor.seconds);
}

// Every row disabled and applied, then enabled and applied; the floors run in between so each
// one meets the machine in the state its work did.
// The floor's deletes of its copies, beside the work's DeleteFile split: what one delete cost
// swings widely with the disk, so the notes show both.
void NoteFloorDeletes(int count, double seconds) {
  std::fprintf(stderr, "floor deletes: %d files %9.3f s\n", count, seconds);
}

// The floor's copies are spread over 256 subfolders, as the work's are.
std::string FloorCopyPath(const std::string& folder, int index) {
  char bucket[8];
  std::snprintf(bucket, sizeof bucket, "\\%02x\\", index % 256);
  return folder + bucket + std::to_string(index) + ".copy";
}

// The floor's own copies, there before the first way back deletes them, as the work's are. Not
// empty: deleting a file that holds data costs far more on this disk than deleting an empty one.
void SeedFloorCopies(const std::string& folder, const std::vector<std::string>& contents) {
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (int index = 1; index <= static_cast<int>(contents.size()); ++index) {
    const std::string path = FloorCopyPath(folder, index);
    if (index <= 256) ::CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    bench::FloorWriteFile(path, contents[index - 1]);
  }
}

// Each copy the way out kept, read once, as the way back reads them: every subfolder listed.
void ReadKeptCopies(const std::string& store) {
  const auto each = [](const std::string& pattern, auto&& take) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do take(found);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
  };
  const std::string kept = shared::KeptCopiesFolderOf(store);
  each(kept + "\\??", [&](const WIN32_FIND_DATAA& bucket) {
    if (!(bucket.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || bucket.cFileName[0] == '.') return;
    const std::string folder = kept + "\\" + bucket.cFileName;
    each(folder + "\\*.copy", [&](const WIN32_FIND_DATAA& copy) { bench::FloorReadFile(folder + "\\" + copy.cFileName); });
  });
}

void PlugwardenApply(Machine& machine) {
  shared::ListModel list;
  plugwarden::SetBHOIntoList(machine.bhoSources, list).IgnoreError();
  plugwarden::BhoMachine bho{machine.registry, machine.system, machine.prompt,
                             machine.language, machine.files, machine.windowsFolder};
  plugwarden::BhoStaging staging(list, bho);
  staging.SetCaptions("&Disable", "&Enable");
  staging.BuildTables();
  std::vector<shared::EntryFields> disabled;
  for (int position = 1; position <= list.Count(); ++position) {
    auto row = list.RowAt(position);
    row[1] = shared::kStatusDisabled;
    disabled.push_back(row);
  }
  const std::string store = plugwarden::DisabledStorePath(machine.windowsFolder);
  const std::string storeText = shared::FormatEntryFile(disabled);

  // Seeded before the work's first way out, so the floor's copies have been on disk through as
  // much as the work's by the time they are deleted.
  const std::string floorCopies = store + ".floor";
  std::vector<std::string> names;
  for (int position = 1; position <= list.Count(); ++position) names.push_back(list.Text(position, 0));
  SeedFloorCopies(floorCopies, names);
  Best disableWork, enableWork, disableFloor, enableFloor;
  bench::Splits wayOut;
  for (int run = 0; run < Repetitions(); ++run) {
    machine.splits.Clear();
    bench::Clock clock;
    ToggleAll(list, staging);
    staging.ApplyClicked();
    disableWork.Take(clock.Seconds());
    NotePeak();
    // The work's calls of each way apart: what follows is the way back's.
    wayOut = machine.splits;
    machine.splits.Clear();

    // Floor of the way back: per row the administrator test, the kept copy read, the key with its
    // name; the copies deleted once the store is gone.
    clock.Restart();
    ReadKeptCopies(store);
    ::FindWindowA("IEFrame", nullptr);
    ::FindWindowA("ExploreWClass", nullptr);
    for (int position = 1; position <= list.Count(); ++position) {
      machine.system.IsNTAdmin();
      const std::string path = std::string(plugwarden::kBhoKeyPath) + "\\" + list.Text(position, 5);
      HKEY key = nullptr;
      ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
      const std::string& name = list.Text(position, 0);
      ::RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()), static_cast<DWORD>(name.size() + 1));
      ::RegCloseKey(key);
    }
    ::DeleteFileA(store.c_str());
    bench::Clock deletes;
    for (int position = 1; position <= list.Count(); ++position)
      ::DeleteFileA(FloorCopyPath(floorCopies, position).c_str());
    NoteFloorDeletes(list.Count(), deletes.Seconds());
    enableFloor.Take(clock.Seconds());

    // Floor of the way out: the store before and after, per row the administrator test, the key's
    // values read and kept in a copy written safely, and the key deleted.
    clock.Restart();
    ::FindWindowA("IEFrame", nullptr);
    ::FindWindowA("ExploreWClass", nullptr);
    bench::FloorWriteFile(store, storeText);
    for (int position = 1; position <= list.Count(); ++position) {
      machine.system.IsNTAdmin();
      const std::string path = std::string(plugwarden::kBhoKeyPath) + "\\" + list.Text(position, 5);
      HKEY key = nullptr;
      std::string copy;
      if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char name[256];
        BYTE data[4096];
        for (DWORD index = 0;; ++index) {
          DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
          if (::RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
          copy.append(name, nameSize).append(reinterpret_cast<const char*>(data), dataSize);
        }
        ::RegCloseKey(key);
      }
      bench::FloorWriteFile(FloorCopyPath(floorCopies, position), copy);
      ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
    }
    bench::FloorWriteFile(store, storeText);
    disableFloor.Take(clock.Seconds());

    clock.Restart();
    ToggleAll(list, staging);
    staging.ApplyClicked();
    enableWork.Take(clock.Seconds());
    if (list.Count() > 0 && staging.AppliedEntries().back().Status != shared::kStatusEnabled)
      std::fprintf(stderr, "apply did not enable\n");
  }
  Report("Plugwarden Apply (disable all)", disableWork.seconds, disableFloor.seconds);
  Report("Plugwarden Apply (enable all)", enableWork.seconds, enableFloor.seconds);
  wayOut.Print(g_work + " " + std::to_string(g_n) + " " + g_modules + " way out");
  machine.splits.Print(g_work + " " + std::to_string(g_n) + " " + g_modules + " way back");
  machine.splits.Clear();
}

// The store rewrite of every row marked "Disabled", beside making and writing the same bytes bare.
void TimeStoreRewrite(Machine& machine, std::vector<shared::EntryFields> fields, int statusColumn,
                      const std::string& store, const char* workName) {
  for (auto& row : fields) row[statusColumn] = shared::kStatusDisabled;
  if (bench::FloorFormat(fields) != shared::FormatEntryFile(fields))
    std::fprintf(stderr, "store: the floor's bytes differ from the store's\n");
  Best floor, work;
  shared::Status saved;
  for (int run = 0; run < Repetitions(); ++run) {
    machine.splits.Clear();
    bench::Clock clock;
    saved = shared::WriteEntryFile(machine.files, fields, store);
    work.Take(clock.Seconds());
    NotePeak();
    clock.Restart();
    bench::FloorWriteFile(store, bench::FloorFormat(fields));
    floor.Take(clock.Seconds());
  }
  if (!saved.ok()) std::fprintf(stderr, "store: %s\n", saved.message().c_str());
  ::DeleteFileA(store.c_str());
  Report(workName, work.seconds, floor.seconds);
}

void PlugwardenStore(Machine& machine) {
  shared::ListModel list;
  plugwarden::SetBHOIntoList(machine.bhoSources, list).IgnoreError();
  TimeStoreRewrite(machine, shared::RowsOf(list), plugwarden::BhoEntry::kStatus,
                   plugwarden::DisabledStorePath(machine.windowsFolder), "Plugwarden store rewrite");
}

// --- Bootwarden -------------------------------------------------------------------------------

void BootwardenEnumeration(Machine& machine) {
  Best floor, work;
  std::vector<bench::Row> floorRows;
  shared::ListModel list;
  for (int run = 0; run < Repetitions(); ++run) {
    list.Clear();
    machine.splits.Clear();
    bench::Clock clock;
    bootwarden::EnumerateStartupEntries(machine.startupSources, list);
    work.Take(clock.Seconds());
    NotePeak();
    clock.Restart();
    floorRows = bench::FloorStartupEnumeration();
    floor.Take(clock.Seconds());
  }
  CheckRows("EnumerateStartupEntries", list.Count(), g_n);
  CheckRows("floor", static_cast<int>(floorRows.size()), g_n);
  Report("Bootwarden enumeration", work.seconds, floor.seconds);
}

void BootwardenLoad(Machine& machine) {
  ::DeleteFileA((machine.WindowsFolder() + "\\SaveProf.pro").c_str());
  (void)machine.settings.SaveSetting("Bootwarden", "Language", "Name", "");
  const std::string pack = machine.folder + "\\Lang\\English.ini";
  Best floor, work;
  for (int run = 0; run < Repetitions(); ++run) {
    {
      bootwarden::win32::frmMain main(
          bootwarden::MainWindowServices{machine.language, machine.settings, machine.files, machine.prompt,
                                         machine.fileDialog, machine.shell, machine.session, machine.startupSources,
                                         machine.startupTargets},
          {.anotherInstance = false, .icon = nullptr, .quitOnClose = false});
      machine.splits.Clear();
      bench::Clock clock;
      HWND window = main.CreateAndShow();
      ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      work.Take(clock.Seconds());
      NotePeak();
      CheckRows("frmMain", main.List().Count(), g_n);
      Pump();
    }
    bench::Clock clock;
    HWND floorWindow = bench::FloorWindow(bench::FloorStartupEnumeration(), 7, 40, pack);
    floor.Take(clock.Seconds());
    Pump();
    ::DestroyWindow(floorWindow);
  }
  Report("Bootwarden load", work.seconds, floor.seconds);
}

// Where a row's entry lives, for the floors.
struct Place {
  HKEY root = nullptr;
  std::string key;      // registry
  std::string folder;   // Startup folder
};

Place PlaceOf(const std::string& loadFrom) {
  const std::string base = "Software\\Microsoft\\Windows\\CurrentVersion\\";
  if (loadFrom == "Registry(User Run)") return {HKEY_CURRENT_USER, base + "Run", {}};
  if (loadFrom.rfind("Registry(Machine ", 0) == 0)
    return {HKEY_LOCAL_MACHINE, base + loadFrom.substr(17, loadFrom.size() - 18), {}};
  char folder[MAX_PATH] = {};
  ::SHGetFolderPathA(nullptr, (loadFrom == "StartUp (Current User)" ? CSIDL_STARTUP : CSIDL_COMMON_STARTUP), nullptr, 0,
                     folder);
  return {nullptr, {}, folder};
}

void BootwardenApply(Machine& machine) {
  shared::ListModel list;
  bootwarden::EnumerateStartupEntries(machine.startupSources, list);
  bootwarden::StartupStaging staging(list, machine.startupTargets);
  staging.SetCaptions("Disable", "Enable");
  staging.TakeSnapshot();
  std::vector<shared::EntryFields> fields = shared::RowsOf(list);
  for (auto& row : fields) row[bootwarden::StartupEntry::kStatus] = shared::kStatusDisabled;
  const std::vector<bootwarden::StartupEntry> disabled = shared::FromRows<bootwarden::StartupEntry>(fields);
  const std::string storeText = shared::FormatEntryFile(fields);
  const std::string store = bootwarden::DisabledStorePath(machine.windowsFolder);

  // Seeded before the work's first way out, as Plugwarden's are.
  const std::string floorCopies = store + ".floor";
  std::vector<std::string> commands;
  for (const auto& entry : disabled) commands.push_back(entry.Location);
  SeedFloorCopies(floorCopies, commands);
  Best disableWork, enableWork, disableFloor, enableFloor;
  bench::Splits wayOut;
  for (int run = 0; run < Repetitions(); ++run) {
    machine.splits.Clear();
    bench::Clock clock;
    ToggleAll(list, staging);
    staging.ApplyNow();
    disableWork.Take(clock.Seconds());
    NotePeak();
    // The work's calls of each way apart: what follows is the way back's.
    wayOut = machine.splits;
    machine.splits.Clear();

    // Floors: each key opened once for all its values; on the way out each entry read and kept in
    // a copy written safely, on the way back each kept copy read, what stands at the entry's place
    // looked at, the copy put back (a shortcut as its bytes), the copies deleted once the store is
    // gone.
    std::vector<std::string> fileBytes(disabled.size());
    const auto floorPass = [&](bool restore) {
      if (restore) ReadKeptCopies(store);
      std::map<std::pair<HKEY, std::string>, HKEY> open;
      std::map<std::string, std::string> folders;
      if (!restore) bench::FloorWriteFile(store, storeText);
      int index = 0;
      for (const auto& entry : disabled) {
        const std::string copy = FloorCopyPath(floorCopies, ++index);
        auto known = folders.find(entry.LoadFrom);
        if (known == folders.end()) known = folders.emplace(entry.LoadFrom, PlaceOf(entry.LoadFrom).folder).first;
        if (known->second.empty()) {
          const Place place = PlaceOf(entry.LoadFrom);
          HKEY& key = open[{place.root, place.key}];
          if (key == nullptr) ::RegOpenKeyExA(place.root, place.key.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
          if (!restore) {
            BYTE data[4096];
            DWORD size = sizeof data, type = 0;
            ::RegQueryValueExA(key, entry.TaskName.c_str(), nullptr, &type, data, &size);
            bench::FloorWriteFile(copy, std::string(reinterpret_cast<const char*>(data), size));
          }
          if (restore) {
            // What stands at the name is looked at before anything is written over it.
            ::RegQueryValueExA(key, entry.TaskName.c_str(), nullptr, nullptr, nullptr, nullptr);
            ::RegSetValueExA(key, entry.TaskName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.Location.c_str()),
                             static_cast<DWORD>(entry.Location.size() + 1));
          } else {
            ::RegDeleteValueA(key, entry.TaskName.c_str());
          }
          continue;
        }
        const std::string path = known->second + "\\" + entry.TaskName + ".lnk";
        // A shortcut is kept as its file, and comes back as the same bytes.
        if (!restore) {
          fileBytes[index - 1] = bench::FloorReadFile(path);
          bench::FloorWriteFile(copy, fileBytes[index - 1]);
          ::DeleteFileA(path.c_str());
        } else {
          ::GetFileAttributesA(path.c_str());
          bench::FloorWriteFile(path, fileBytes[index - 1]);
        }
      }
      for (auto& [where, key] : open) ::RegCloseKey(key);
      if (restore) {
        ::DeleteFileA(store.c_str());
        bench::Clock deletes;
        for (int copy = 1; copy <= index; ++copy) ::DeleteFileA(FloorCopyPath(floorCopies, copy).c_str());
        NoteFloorDeletes(index, deletes.Seconds());
      } else {
        bench::FloorWriteFile(store, storeText);
      }
    };
    clock.Restart();
    floorPass(true);
    enableFloor.Take(clock.Seconds());
    clock.Restart();
    floorPass(false);
    disableFloor.Take(clock.Seconds());

    clock.Restart();
    ToggleAll(list, staging);
    staging.ApplyNow();
    enableWork.Take(clock.Seconds());
    if (list.Count() > 0 && list.Text(list.Count(), 1) != shared::kStatusEnabled)
      std::fprintf(stderr, "apply did not enable\n");
  }
  Report("Bootwarden Apply (disable all)", disableWork.seconds, disableFloor.seconds);
  Report("Bootwarden Apply (enable all)", enableWork.seconds, enableFloor.seconds);
  wayOut.Print(g_work + " " + std::to_string(g_n) + " " + g_modules + " way out");
  machine.splits.Print(g_work + " " + std::to_string(g_n) + " " + g_modules + " way back");
  machine.splits.Clear();
}

void BootwardenStore(Machine& machine) {
  shared::ListModel list;
  bootwarden::EnumerateStartupEntries(machine.startupSources, list);
  TimeStoreRewrite(machine, shared::RowsOf(list), bootwarden::StartupEntry::kStatus,
                   bootwarden::DisabledStorePath(machine.windowsFolder), "Bootwarden store rewrite");
}

int Usage() {
  std::fprintf(stderr,
               "usage: warden_wine_bench seed-bho N shared|each | seed-boot N | run WORK N MODULES\n"
               "  WORK: pw-enum pw-load pw-apply pw-store bw-enum bw-load bw-apply bw-store\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  g_n = std::atoi(argv[2]);
  if (command == "seed-bho" && argc == 4) {
    bench::SeedObjects(g_n, std::string(argv[3]) == "each");
    return 0;
  }
  if (command == "seed-boot") {
    bench::SeedStartupEntries(g_n);
    return 0;
  }
  if (command != "run" || argc != 5) return Usage();
  g_work = argv[2];
  g_n = std::atoi(argv[3]);
  g_modules = argv[4];

  InitKitControls();
  RegisterXPCmdButton();
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Machine machine;
  WarmUp(machine);

  const std::map<std::string, void (*)(Machine&)> works = {
      {"pw-enum", PlugwardenEnumeration}, {"pw-load", PlugwardenLoad},   {"pw-apply", PlugwardenApply},
      {"pw-store", PlugwardenStore},      {"bw-enum", BootwardenEnumeration}, {"bw-load", BootwardenLoad},
      {"bw-apply", BootwardenApply},      {"bw-store", BootwardenStore}};
  const auto work = works.find(g_work);
  if (work == works.end()) return Usage();
  work->second(machine);
  const double peak = g_peak > 0 ? g_peak : PeakMiB();
  machine.splits.Print(g_work + " " + std::to_string(g_n) + " " + g_modules);
  for (const Figure& figure : g_figures) {
    std::printf("%-32s %6d %-6s %9.3f %9.3f %6.2f %7.1f\n", figure.work.c_str(), g_n, g_modules.c_str(), figure.seconds,
                figure.floor, figure.floor > 0 ? figure.seconds / figure.floor : 0.0, peak);
  }
  std::fflush(stdout);
  // The windows and their state go with the process; nothing is unloaded or saved.
  ::ExitProcess(0);
}
