// The port contracts against the in-memory fakes.
#include "tests/contract/file_system_contract.h"
#include "tests/contract/language_pack_contract.h"
#include "tests/contract/profile_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/contract/shell_contract.h"
#include "tests/contract/settings_contract.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell_folder.h"
#include "tests/fakes/fake_shortcut.h"
#include "tests/fakes/fake_windows_folder.h"
#include "tests/fakes/fake_settings.h"

INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract,
                         ::testing::Values(RegistryFactory([] { return std::make_unique<fakes::FakeRegistry>(); })));

INSTANTIATE_TEST_SUITE_P(Fake, FileSystemContract,
                         ::testing::Values(FileSystemTarget{
                             [] { return std::make_unique<fakes::FakeFileSystem>(); }, "C:\\",
                             [](shared::FileSystemPort& files, const std::string& path) {
                               auto& fake = static_cast<fakes::FakeFileSystem&>(files);
                               auto attributes = fake.GetAttributes(path).value();
                               attributes.readOnly = true;
                               fake.SetAttributes(path, attributes);
                             }}));

static IniPorts FakeIni() {
  auto files = std::make_unique<fakes::FakeFileSystem>();
  files->AddFolder("C:\\Windows");
  auto profile = std::make_unique<fakes::FakeProfile>(*files, "C:\\Windows");
  return {std::move(files), std::move(profile)};
}

INSTANTIATE_TEST_SUITE_P(Fake, ProfileContract, ::testing::Values(ProfileTarget{FakeIni, "C:"}));
INSTANTIATE_TEST_SUITE_P(Fake, LanguagePackContract, ::testing::Values(LanguagePackTarget{FakeIni, "C:"}));

INSTANTIATE_TEST_SUITE_P(Fake, SettingsContract,
                         ::testing::Values(SettingsFactory([] { return std::make_unique<fakes::FakeSettings>(); })));

INSTANTIATE_TEST_SUITE_P(Fake, ShellContract, ::testing::Values(ShellTarget{[] {
                           auto files = std::make_unique<fakes::FakeFileSystem>();
                           files->AddFolder("C:\\Windows");
                           files->AddFolder("C:\\Scratch");
                           fakes::FakeFileSystem& fake = *files;
                           ShellPorts ports;
                           ports.windowsFolder = std::make_unique<fakes::FakeWindowsFolder>("C:\\Windows");
                           ports.shellFolders = std::make_unique<fakes::FakeShellFolder>(fake);
                           ports.shortcuts = std::make_unique<fakes::FakeShortcut>(fake);
                           ports.removeEmptyFolder = [&fake](const std::string& path) {
                             fake.RemoveEmptyFolder(path);
                           };
                           ports.files = std::move(files);
                           return ports;
                         }, "C:\\Scratch"}));
