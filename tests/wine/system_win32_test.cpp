// Window finding across the session and the administrator test, on the real platform.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/win32/win32_system.h"

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

}  // namespace
