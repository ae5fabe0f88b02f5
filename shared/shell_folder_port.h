#pragma once
// The shell's special folders, as SHGetFolderPathA finds them. Adapters:
// shared/win32/win32_shell_folder.h (the shell) and tests/fakes/fake_shell_folder.h (in memory).
#include <cstdint>
#include <string>

namespace shared {

// Folder numbers and flags (the platform's).
inline constexpr std::int32_t kCsidlStartup = 7;
inline constexpr std::int32_t kCsidlCommonStartup = 24;
inline constexpr std::int32_t kCsidlFlagCreate = 0x8000;
inline constexpr std::uint32_t kShgfpTypeCurrent = 0;

// Result codes of the call, as the platform's signed HRESULTs.
inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kSFalse = 1;
inline constexpr std::int32_t kEInvalidArg = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);
// HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) / (ERROR_FILE_NOT_FOUND).
inline constexpr std::int32_t kHresultPathNotFound = static_cast<std::int32_t>(0x80070003u);
inline constexpr std::int32_t kHresultFileNotFound = static_cast<std::int32_t>(0x80070002u);

struct ShellFolderReply {
  std::int32_t result = kEFail;
  std::string path;  // the 260-character buffer up to its first NUL, whatever the result
};

class ShellFolderPort {
 public:
  virtual ~ShellFolderPort() = default;

  // SHGetFolderPathA with no owner window and no token; csidl may carry kCsidlFlagCreate, which
  // creates a missing folder.
  virtual ShellFolderReply GetFolderPath(std::int32_t csidl, std::uint32_t flags) = 0;
};

}  // namespace shared
