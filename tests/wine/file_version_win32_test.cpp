// Version records and other resources read from modules the build makes with windres, and the
// Browser Helper Objects catalogue over them on the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "plugwarden/bho_catalogue.h"
#include "shared/file_version.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_version.h"
#include "shared/win32/win32_windows_folder.h"
#include "tests/common/bho_scenario.h"
#include "tests/wine/test_paths.h"

namespace {

using shared::FileVersionRecord;
using shared::kVersionPlaceholder;

std::string Resource(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = ::FindResourceA(module, name, type);
  if (found == nullptr) return {};
  return std::string(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                     ::SizeofResource(module, found));
}

class FileVersionWin32Test : public ::testing::Test {
 protected:
  FileVersionRecord Read(const std::string& path) { return shared::GetFileVersionRecord(files_, versions_, path); }
  std::string Module(const char* name) { return testing_support::ExecutableFolder() + "\\" + name; }
  shared::win32::Win32FileSystem files_;
  shared::win32::Win32Version versions_;
};

TEST_F(FileVersionWin32Test, ResourceWithTheCommonTranslationPlaceholdersWithoutAndTheMessageForHiddenFiles) {
  const FileVersionRecord record = Read(Module("warden_versioned_module.dll"));
  EXPECT_EQ(record[FileVersionRecord::kFileDescription], "Warden Test Module");
  EXPECT_EQ(record[FileVersionRecord::kFileVersion], "1.2.3.4");
  EXPECT_EQ(record[FileVersionRecord::kLegalCopyright], std::string(300, 'L')) << "long value whole";
  EXPECT_EQ(shared::GetFileVersion(versions_, Module("warden_versioned_module.dll")), "1.2.3.4");

  // Placeholders without a resource; the message for hidden and missing files.
  for (const auto& field : Read(Module("warden_plain_module.dll")).fields) EXPECT_EQ(field, kVersionPlaceholder);
  EXPECT_EQ(shared::GetFileVersion(versions_, Module("warden_plain_module.dll")), "");
  const std::string folder = testing_support::ScratchFolder("version");
  const std::string hidden = folder + "\\hidden module.dll";
  ASSERT_TRUE(::CopyFileA(Module("warden_versioned_module.dll").c_str(), hidden.c_str(), FALSE));
  ASSERT_TRUE(::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const std::string shortPath = shared::GetShortPath(files_, hidden);
  ASSERT_FALSE(shortPath.empty());
  for (const auto& field : Read(hidden).fields) EXPECT_EQ(field, "The file \"" + shortPath + "\" doesn't exist.");
  ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(hidden.c_str());

  const std::string missing = folder + "\\gone.dll";
  EXPECT_EQ(shared::GetShortPath(files_, missing), "");
  EXPECT_EQ(Read(missing)[FileVersionRecord::kProductName], "The file \"" + missing + "\" doesn't exist.");
}

// What Windows reads from the shipped programs before they run (the manifest: visual styles,
// DPI awareness, the rights asked for) and the version information and icon Explorer shows.
TEST_F(FileVersionWin32Test, TheProgramsManifestVersionAndIcon) {
  for (const auto& [program, product] : {std::pair<std::string, std::string>{"plugwarden", "Plugwarden"},
                                         {"bootwarden", "Bootwarden"}}) {
    SCOPED_TRACE(program);
    const std::string path = std::string(WARDEN_PROGRAM_DIR) + "\\" + program + ".exe";

    // Parsed as the loader does: a malformed manifest keeps a program from starting at all.
    const std::wstring widePath(path.begin(), path.end());
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = widePath.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = ::CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << ::GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
    ::QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &runLevel, sizeof runLevel, nullptr);
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_HIGHEST_AVAILABLE);
    ::ReleaseActCtx(context);

    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const std::string manifest = Resource(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    for (const char* setting : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                                ">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>",
                                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // the last: Windows 10 and 11
      EXPECT_NE(manifest.find(setting), std::string::npos) << setting;
    }

    // The icon group holds a real image of each size Windows asks for.
    const std::string group = Resource(module, program == "plugwarden" ? "PLUGWARDEN" : MAKEINTRESOURCEA(1),
                                       MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_FALSE(group.empty());
    for (const int size : {16, 32, 48}) {
      const int id = ::LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(const_cast<char*>(group.data())), TRUE,
                                                   size, size, LR_DEFAULTCOLOR);
      const std::string image = Resource(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
      BITMAPINFOHEADER header{};
      std::memcpy(&header, image.data(), std::min(image.size(), sizeof header));
      EXPECT_EQ(header.biWidth, size);
    }
    ::FreeLibrary(module);

    // Read as Plugwarden reads any module's version information.
    const FileVersionRecord record = Read(path);
    const std::string version = WARDEN_PROJECT_VERSION;
    EXPECT_EQ(shared::GetFileVersion(versions_, path), version + ".0");
    EXPECT_EQ(record[FileVersionRecord::kFileVersion], version);
    EXPECT_EQ(record[FileVersionRecord::kProductVersion], version);
    EXPECT_EQ(record[FileVersionRecord::kCompanyName], "Vexlin");
    EXPECT_EQ(record[FileVersionRecord::kInternalName], program);
    EXPECT_EQ(record[FileVersionRecord::kOriginalFileName], program + ".exe");
    EXPECT_EQ(record[FileVersionRecord::kProductName], product);
    EXPECT_EQ(record[FileVersionRecord::kFileDescription].find(product), 0u);
  }
}

// The cache tells one version of a module from another by size and write time.
TEST_F(FileVersionWin32Test, AttributesCarryTheSizeAndWriteTime) {
  const std::string copy = testing_support::ScratchFolder("version") + "\\stamped.dll";
  ASSERT_TRUE(files_.WriteFileAtomic(copy, std::string(1234, 'x')).ok());
  const auto before = files_.GetAttributes(copy);
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(before->size, 1234u);
  EXPECT_NE(before->lastWriteTime, 0u);
  HANDLE file = ::CreateFileA(copy.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  FILETIME later{};
  later.dwLowDateTime = static_cast<DWORD>(before->lastWriteTime + 10'000'000);
  later.dwHighDateTime = static_cast<DWORD>((before->lastWriteTime + 10'000'000) >> 32);
  ::SetFileTime(file, nullptr, nullptr, &later);
  ::CloseHandle(file);
  EXPECT_EQ(files_.GetAttributes(copy)->lastWriteTime, before->lastWriteTime + 10'000'000);
  ::DeleteFileA(copy.c_str());
}

TEST_F(FileVersionWin32Test, TheCatalogueMakesARowForEveryKindOfObject) {
  shared::win32::Win32Registry registry;
  shared::win32::Win32WindowsFolder windowsFolder;
  const std::string windows = shared::GetWinDir(windowsFolder);
  const testing_support::BhoModules modules{Module("warden_versioned_module.dll"), "Warden Test Module", "1.2.3.4",
                                            Module("warden_plain_module.dll"), kVersionPlaceholder,
                                            windows + "\\system32\\warden_wow64_module.dll"};
  // A prefix without 32-bit Wine has no SysWOW64 folder.
  const bool madeSysWow64 = ::CreateDirectoryA((windows + "\\SysWOW64").c_str(), nullptr);
  const std::string inSysWow64 = windows + "\\SysWOW64\\warden_wow64_module.dll";
  ASSERT_TRUE(::CopyFileA(modules.withVersion.c_str(), inSysWow64.c_str(), FALSE)) << ::GetLastError();
  testing_support::SeedBhoScenario(registry, modules);
  shared::RegistryStore store(registry);
  shared::RegistryComponent reg1(registry), reg2(registry);
  plugwarden::BhoSources sources{reg1, reg2, store, files_, versions_, windowsFolder};
  shared::ListModel list;
  EXPECT_TRUE(plugwarden::SetBHOIntoList(sources, list).ok());

  const auto expected = testing_support::ExpectedBhoRows(modules);
  ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(list.RowAt(static_cast<int>(i) + 1), expected[i]) << "row " << i + 1;
  list.Clear();
  EXPECT_TRUE(plugwarden::SetBHOIntoList(sources, list, shared::RegView::k32).ok());
  EXPECT_EQ(shared::RowsOf(list), testing_support::ExpectedBhoRows32(modules));
  testing_support::ClearBhoScenario(registry);
  ::DeleteFileA(inSysWow64.c_str());
  if (madeSysWow64) ::RemoveDirectoryA((windows + "\\SysWOW64").c_str());
}

}  // namespace
