// The platform as the programs meet it: window finding across the session, the administrator test,
// the folder the packs are found below, the settings where the classic runtime keeps them and the
// clock the error log stamps with.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/win32/program_folder.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/win32_system.h"
#include "tests/wine/test_paths.h"

namespace {

TEST(SystemWin32, FindsATopLevelWindowByItsClassOnlyWhileItIsOpen) {
  shared::win32::Win32System system;
  EXPECT_FALSE(system.TopLevelWindowExists("IEFrame"));
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "IEFrame";
  ASSERT_NE(::RegisterClassA(&windowClass), 0);
  HWND window = ::CreateWindowA("IEFrame", "Browser", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(system.TopLevelWindowExists("IEFrame"));
  EXPECT_FALSE(system.TopLevelWindowExists("ExploreWClass"));
  ::DestroyWindow(window);
  EXPECT_FALSE(system.TopLevelWindowExists("IEFrame"));
  ::UnregisterClassA("IEFrame", windowClass.hInstance);
}

TEST(SystemWin32, WineUsersAreAdministrators) { EXPECT_TRUE(shared::win32::Win32System().IsNTAdmin()); }

// The packs are looked up in Lang\ below this folder (the UI tests read them there).
TEST(ShippedPacks, TheProgramFolderIsTheExecutablesFolder) {
  const shared::Result<std::string> folder = shared::win32::ProgramFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), testing_support::ExecutableFolder());
}

TEST(Win32Settings, KeptWhereTheClassicRuntimeKeepsThem) {
  shared::win32::Win32Settings settings;
  ASSERT_TRUE(settings.SaveSetting("WardenSettingsPlace", "Language", "Name", "Arabic.ini").ok());
  char data[64] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\WardenSettingsPlace\\Language",
                           "Name", RRF_RT_ANY, &type, data, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(data, "Arabic.ini");

  // A value an earlier release (or the user) left there is read back.
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\WardenSettingsPlace\\Start", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(key, "Check1", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  ::RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);
  ::RegCloseKey(key);
  EXPECT_EQ(settings.GetSetting("WardenSettingsPlace", "Start", "Check1"), "1");
  EXPECT_EQ(settings.GetSetting("WardenSettingsPlace", "Start", "Number"), "") << "not a text";
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\WardenSettingsPlace");
}

TEST(Win32Clock, TheUsersShortDateAndTime) {
  shared::win32::Win32Clock clock;
  const shared::LocalTimeText now = clock.Now();
  char date[80] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  EXPECT_EQ(now.date, date) << "the same day, no NUL kept";
  EXPECT_FALSE(now.time.empty());
  EXPECT_EQ(now.time.find('\0'), std::string::npos);
  RecordProperty("log_date_time", now.date + " " + now.time);
}

}  // namespace
