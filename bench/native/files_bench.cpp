// The list model, the entry files, the profile file's name scans and the language lookup over the
// in-memory fakes: where the portable code's own time goes, apart from the machine's.
#include <benchmark/benchmark.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plugwarden/bho_profiles.h"
#include "shared/entry_file.h"
#include "shared/language_pack.h"
#include "shared/list_model.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_prompt.h"

namespace {

constexpr char kProgramFolder[] = "C:\\Program Files\\Plugwarden";

// A row as the catalogue fills it: typical lengths of names, texts, paths and identifiers.
shared::EntryFields SampleRow(int i) {
  char id[64];
  std::snprintf(id, sizeof id, "{B5E0%04X-0000-4000-8000-%012X}", i & 0xFFFF, i);
  return {"Bench Helper " + std::to_string(i), "Enabled", "Warden Test Module", "1.2.3.4",
          "C:\\Program Files\\Bench\\modules\\m" + std::to_string(i) + ".dll", id};
}

void ListModelFill(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<shared::EntryFields> rows;
  for (int i = 0; i < n; ++i) rows.push_back(SampleRow(i));
  for (auto _ : state) {
    shared::ListModel model;
    for (const auto& row : rows) {
      const int position = model.Add(row[0]);
      for (int column = 1; column < shared::ListModel::kColumns; ++column) model.SetText(position, column, row[column]);
    }
    benchmark::DoNotOptimize(model.Count());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(ListModelFill)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void EntryFileWrite(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<shared::EntryFields> rows;
  for (int i = 0; i < n; ++i) rows.push_back(SampleRow(i));
  fakes::FakeFileSystem files;
  files.AddFolder("C:\\Windows");
  const std::size_t bytes = shared::FormatEntryFile(rows).size();
  for (auto _ : state) {
    benchmark::DoNotOptimize(shared::WriteEntryFile(files, rows, "C:\\Windows\\SaveBHOProf.pro").ok());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(EntryFileWrite)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void EntryFileRead(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<shared::EntryFields> rows;
  for (int i = 0; i < n; ++i) rows.push_back(SampleRow(i));
  fakes::FakeFileSystem files;
  const std::string contents = shared::FormatEntryFile(rows);
  files.AddFile("C:\\Windows\\SaveBHOProf.pro", contents);
  for (auto _ : state) {
    auto read = shared::ReadEntryFile(files, "C:\\Windows\\SaveBHOProf.pro");
    if (!read.ok() || static_cast<int>(read.value().size()) != n) state.SkipWithError("rows lost");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * contents.size()));
}
BENCHMARK(EntryFileRead)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// "BHO_Config.ini" with n profiles of five rows each.
struct ProfileFile {
  explicit ProfileFile(int n) : profile(files, "C:\\Windows"), language(profile, files, clock, kProgramFolder) {
    std::string contents;
    for (int p = 0; p < n; ++p) {
      const std::string name = "PROFILE" + std::to_string(p);
      for (int r = 0; r < 5; ++r) {
        contents += name + "\r\n";
        for (const auto& field : SampleRow(p * 5 + r)) contents += field + "\r\n";
      }
    }
    bytes = contents.size();
    files.AddFile(std::string(kProgramFolder) + "\\BHO_Config.ini", contents);
  }
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  fakes::FakeProfile profile;
  fakes::FakePrompt prompt;
  shared::LanguagePack language;
  std::size_t bytes = 0;
};

void IsNameExistMiss(benchmark::State& state) {
  ProfileFile file(static_cast<int>(state.range(0)));
  plugwarden::BhoProfiles profiles(file.files, file.prompt, file.language, kProgramFolder);
  for (auto _ : state) {
    // A name no record carries: the whole file is read.
    if (profiles.IsNameExist("NOT THERE")) state.SkipWithError("found a name that is not there");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}
BENCHMARK(IsNameExistMiss)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void LoadDialogNameScan(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ProfileFile file(n);
  plugwarden::BhoProfiles profiles(file.files, file.prompt, file.language, kProgramFolder);
  for (auto _ : state) {
    if (static_cast<int>(profiles.ProfileNames().size()) != n) state.SkipWithError("names lost");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}
BENCHMARK(LoadDialogNameScan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Every key of the shipped English pack, each looked up as the windows do: the pack read anew.
void SetCaptionfromINIFullPack(benchmark::State& state) {
  std::ifstream in(std::string(WARDEN_LANG_SOURCE_DIR) + "/English.ini", std::ios::binary);
  std::stringstream pack;
  pack << in.rdbuf();
  std::vector<std::string> keys;
  std::istringstream lines(pack.str());
  for (std::string line; std::getline(lines, line);) {
    const auto equals = line.find('=');
    if (equals != std::string::npos && equals > 0 && std::isdigit(static_cast<unsigned char>(line[0])))
      keys.push_back(line.substr(0, equals));
  }
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  fakes::FakeProfile profile(files, "C:\\Windows");
  files.AddFile(std::string(kProgramFolder) + "\\Lang\\English.ini", pack.str());
  shared::LanguagePack language(profile, files, clock, kProgramFolder);
  language.SetCurrentLanguageFile("English.ini");
  for (auto _ : state) {
    for (const auto& key : keys) benchmark::DoNotOptimize(language.SetCaptionfromINI(key, ""));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * keys.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * keys.size() * pack.str().size()));
  state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(SetCaptionfromINIFullPack)->Unit(benchmark::kMicrosecond);

}  // namespace
