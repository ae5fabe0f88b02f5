#pragma once
// Resource IDs of bootwarden.exe (also read by bootwarden.rc).
#define BOOTWARDEN_ICON_ID 1

#ifdef __cplusplus
namespace bootwarden::win32 {
inline constexpr int kIconId = BOOTWARDEN_ICON_ID;
}
#endif
