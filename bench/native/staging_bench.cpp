// Staging and Apply of N rows over the in-memory fakes, for both programs: every row staged
// "Disabled" and applied, then staged back to "Enabled" and applied, so the machine ends each
// iteration as it began.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bootwarden/startup_sources.h"
#include "bootwarden/startup_staging.h"
#include "plugwarden/bho_catalogue.h"
#include "plugwarden/bho_staging.h"
#include "shared/language_pack.h"
#include "shared/registry_store.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell_folder.h"
#include "tests/fakes/fake_shortcut.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_version.h"
#include "tests/fakes/fake_windows_folder.h"

namespace {

std::string ObjectId(int i) {
  char id[64];
  std::snprintf(id, sizeof id, "{B5E0%04X-0000-4000-8000-%012X}", i & 0xFFFF, i);
  return id;
}

void ToggleAll(shared::ListModel& list, auto& staging) {
  for (int position = 1; position <= list.Count(); ++position) {
    staging.SelectRow(position);
    staging.DisableClicked();
  }
}

void PlugwardenStageAndApply(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  fakes::FakeRegistry registry;
  fakes::FakeFileSystem files;
  fakes::FakeVersion versions;
  fakes::FakeClock clock;
  fakes::FakeProfile profile(files, "C:\\Windows");
  fakes::FakeSystem system;
  fakes::FakePrompt prompt;
  fakes::FakeWindowsFolder windowsFolder;
  files.AddFolder("C:\\Windows");
  files.AddFile("C:\\Bench\\module.dll", "MZ");
  versions.Add("C:\\Bench\\module.dll", {});
  shared::LanguagePack language(profile, files, clock, "C:\\Program Files\\Plugwarden");
  shared::RegistryStore store(registry);
  shared::RegistryComponent reg1(registry), reg2(registry);
  for (int i = 0; i < n; ++i) {
    reg1.RootKey = shared::kHkeyLocalMachine;
    reg1.KeyPath = std::string(plugwarden::kBhoKeyPath) + "\\" + ObjectId(i);
    reg1.ValueName = "";
    reg1.ValueData = "Bench Helper " + std::to_string(i);
    (void)reg1.CreateKey();
    (void)reg1.SetValue();
    reg1.RootKey = shared::kHkeyClassesRoot;
    reg1.KeyPath = "CLSID\\" + ObjectId(i) + "\\InprocServer32";
    reg1.ValueData = "C:\\Bench\\module.dll";
    (void)reg1.CreateKey();
    (void)reg1.SetValue();
  }
  plugwarden::BhoSources sources{reg1, reg2, store, files, versions, windowsFolder};
  shared::ListModel list;
  plugwarden::SetBHOIntoList(sources, list).IgnoreError();
  plugwarden::BhoMachine machine{registry, system, prompt, language, files, windowsFolder};
  plugwarden::BhoStaging staging(list, machine);
  staging.SetCaptions("&Disable", "&Enable");
  staging.BuildTables();
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      ToggleAll(list, staging);
      prompt.Script({shared::kAnswerYes});
      staging.ApplyClicked();
    }
  }
  if (staging.AppliedEntries().size() != static_cast<std::size_t>(n) ||
      staging.AppliedEntries().back().Status != shared::kStatusEnabled)
    state.SkipWithError("apply did not go through");
  state.SetItemsProcessed(state.iterations() * 2 * n);
}
BENCHMARK(PlugwardenStageAndApply)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BootwardenStageAndApply(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  fakes::FakeRegistry registry;
  fakes::FakeFileSystem files;
  fakes::FakeProfile profile(files, "C:\\Windows");
  fakes::FakeShellFolder shellFolders(files);
  fakes::FakeWindowsFolder windowsFolder;
  fakes::FakeShortcut shortcuts(files);
  fakes::FakePrompt prompt;
  fakes::FakeSystem system;
  files.AddFolder("C:\\Windows");
  shared::RegistryStore store(registry);
  shared::RegistryComponent reg(registry);
  reg.RootKey = shared::kHkeyCurrentUser;
  reg.KeyPath = std::string(bootwarden::kRunKeyBase) + bootwarden::kKeyRun;
  (void)reg.CreateKey();
  for (int i = 0; i < n; ++i) {
    reg.ValueName = "BenchTask" + std::to_string(i);
    reg.ValueData = "C:\\Program Files\\Bench\\task" + std::to_string(i) + ".exe /background";
    (void)reg.SetValue();
  }
  bootwarden::LocationNames names;
  bootwarden::StartupSources sources{store, reg, profile, files, shellFolders, windowsFolder, shortcuts, names, registry};
  fakes::FakeClock clock;
  shared::LanguagePack language(profile, files, clock, "C:\\Program Files\\Bootwarden");
  bootwarden::StartupTargets targets{registry, profile, files, shellFolders, windowsFolder, shortcuts, prompt, system, language, clock};
  shared::ListModel list;
  bootwarden::EnumerateStartupEntries(sources, list);
  bootwarden::StartupStaging staging(list, targets);
  staging.TakeSnapshot();
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      ToggleAll(list, staging);
      staging.ApplyNow();
    }
  }
  if (list.Count() != n || list.Text(n, bootwarden::StartupEntry::kStatus) != shared::kStatusEnabled)
    state.SkipWithError("apply did not go through");
  state.SetItemsProcessed(state.iterations() * 2 * n);
}
BENCHMARK(BootwardenStageAndApply)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
