#include "tests/common/bho_scenario.h"

#include "plugwarden/bho_catalogue.h"
#include "tests/common/registry_seed.h"

namespace testing_support {
namespace {

using shared::kHkeyClassesRoot;
using shared::kHkeyLocalMachine;
using shared::RegView;

std::string Id(int n) { return "{A000000" + std::to_string(n) + "-0000-4000-8000-0000000000AB}"; }
std::string Bho(const std::string& id) { return std::string(plugwarden::kBhoKeyPath) + "\\" + id; }
std::string Clsid(const std::string& id) { return "CLSID\\" + id; }

const char kNotAClsid[] = "NotAClassId";

}  // namespace

void ClearBhoScenario(shared::RegistryPort& registry) {
  for (RegView view : {RegView::kNative, RegView::k32}) {
    DeleteTree(registry, kHkeyLocalMachine, plugwarden::kBhoKeyPath, view);
    for (int n = 1; n <= 9; ++n) DeleteTree(registry, kHkeyClassesRoot, Clsid(Id(n)), view);
  }
}

void SeedBhoScenario(shared::RegistryPort& registry, const BhoModules& modules) {
  ClearBhoScenario(registry);
  const auto server = [](int n) { return Clsid(Id(n)) + "\\InprocServer32"; };

  // 1: healthy, with a version resource.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(1)), "", "Contoso Toolbar Helper");
  SeedString(registry, kHkeyClassesRoot, server(1), "", modules.withVersion);
  SeedString(registry, kHkeyClassesRoot, server(1), "ThreadingModel", "Apartment");
  // 2: a two-letter name is too short to show.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(2)), "", "Ab");
  SeedString(registry, kHkeyClassesRoot, server(2), "", modules.withVersion);
  // 3: three letters are shown; no class registration at all.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(3)), "", "Abc");
  // 4: no default value; class key without a server key.
  SeedKey(registry, kHkeyLocalMachine, Bho(Id(4)));
  SeedString(registry, kHkeyClassesRoot, Clsid(Id(4)) + "\\ProgID", "", "Broken.Helper");
  // 5: server key without a default value.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(5)), "", "No Path Object");
  SeedKey(registry, kHkeyClassesRoot, server(5));
  // 6: empty path: a lone NUL, which is not "".
  SeedString(registry, kHkeyLocalMachine, Bho(Id(6)), "", "Empty Path Object");
  SeedString(registry, kHkeyClassesRoot, server(6), "", "");
  // 7: a path to nothing.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(7)), "", "Missing Module Object");
  SeedString(registry, kHkeyClassesRoot, server(7), "", "C:\\Nowhere\\gone.dll");
  // 8: environment references are not expanded.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(8)), "", "Env Path Object");
  SeedString(registry, kHkeyClassesRoot, server(8), "", "%SystemRoot%\\system32\\shell32.dll");
  // 9: healthy, no version resource.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(9)), "", "  Plain Module  ");
  SeedString(registry, kHkeyClassesRoot, server(9), "", modules.withoutVersion);
  // A subkey that is no class identifier at all.
  SeedString(registry, kHkeyLocalMachine, Bho(kNotAClsid), "", "Odd One");

  // The 32-bit view. 1: healthy, named apart; 2: its class is registered natively only; 3: its
  // module named in System32 is the one in SysWOW64.
  SeedString(registry, kHkeyLocalMachine, Bho(Id(1)), "", "Contoso Toolbar x86", RegView::k32);
  SeedString(registry, kHkeyClassesRoot, server(1), "", modules.withVersion, RegView::k32);
  SeedString(registry, kHkeyLocalMachine, Bho(Id(2)), "", "Native Class Only", RegView::k32);
  SeedString(registry, kHkeyLocalMachine, Bho(Id(3)), "", "SysWOW64 Module", RegView::k32);
  SeedString(registry, kHkeyClassesRoot, server(3), "", modules.inSystem32, RegView::k32);
}

std::vector<shared::ListModel::Row> ExpectedBhoRows(const BhoModules& m) {
  using plugwarden::kPathWithoutModule;
  return {
      // "N" sorts before "{".
      {"Odd One", "ERROR", plugwarden::kNotRegistered, "", "", kNotAClsid},
      {"Contoso Toolbar Helper", "Enabled", m.description, m.version, m.withVersion, Id(1)},
      {"UnKnown", "Enabled", m.description, m.version, m.withVersion, Id(2)},
      {"Abc", "ERROR", plugwarden::kNotRegistered, "", "", Id(3)},
      {"UnKnown", "ERROR", plugwarden::kNoInprocServer, "", "", Id(4)},
      {"No Path Object", "ERROR", plugwarden::kModuleNotFound, "", "", Id(5)},
      {"Empty Path Object", "ERROR", kPathWithoutModule, "", "", Id(6)},
      {"Missing Module Object", "ERROR", kPathWithoutModule, "", "C:\\Nowhere\\gone.dll", Id(7)},
      {"Env Path Object", "ERROR", kPathWithoutModule, "", "%SystemRoot%\\system32\\shell32.dll", Id(8)},
      {"Plain Module  ", "Enabled", m.withoutVersionInformation, "", m.withoutVersion, Id(9)},
  };
}

std::vector<shared::ListModel::Row> ExpectedBhoRows32(const BhoModules& m) {
  const std::string marker = plugwarden::kView32Marker;
  return {
      {"Contoso Toolbar x86", "Enabled", m.description, m.version, m.withVersion, marker + Id(1)},
      {"Native Class Only", "ERROR", plugwarden::kNotRegistered, "", "", marker + Id(2)},
      {"SysWOW64 Module", "Enabled", m.description, m.version, m.inSystem32, marker + Id(3)},
  };
}

}  // namespace testing_support
