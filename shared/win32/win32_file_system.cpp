#include "shared/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "shared/win32/error_text.h"
#include "shared/win32/unique_handle.h"

namespace shared::win32 {
namespace {

FileAttributes FromWin32(DWORD attributes) {
  FileAttributes out;
  out.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  out.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  out.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  out.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  return out;
}

Status WriteAll(HANDLE file, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, contents.data() + done, chunk, &written, nullptr)) return LastError();
    done += written;
  }
  return Status::Ok();
}

}  // namespace

std::optional<FileAttributes> Win32FileSystem::GetAttributes(const std::string& path) {
  // Size and write time come with the attributes in the same call.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FileAttributes attributes = FromWin32(data.dwFileAttributes);
  attributes.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  attributes.lastWriteTime = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                             data.ftLastWriteTime.dwLowDateTime;
  return attributes;
}

std::string Win32FileSystem::GetShortPath(const std::string& path) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

Result<std::vector<DirectoryEntry>> Win32FileSystem::ListDirectory(const std::string& folder) {
  std::string pattern = folder.c_str();
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA data{};
  UniqueFindHandle find(::FindFirstFileA(pattern.c_str(), &data));
  if (!find) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return std::vector<DirectoryEntry>{};
    return LastError(code);
  }
  std::vector<DirectoryEntry> entries;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, FromWin32(data.dwFileAttributes)});
  } while (::FindNextFileA(find.get(), &data));
  if (::GetLastError() != ERROR_NO_MORE_FILES) return LastError();
  return entries;
}

Result<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  std::string contents;
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return LastError();
    if (read == 0) break;
    contents.append(buffer, read);
  }
  return contents;
}

Status Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& contents) {
  const std::string target = path.c_str();
  const std::string temporary = target + ".tmp";
  {
    UniqueFile file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastError();
    Status written = WriteAll(file.get(), contents);
    if (written.ok() && !::FlushFileBuffers(file.get())) written = LastError();
    if (!written.ok()) {
      file.reset();
      ::DeleteFileA(temporary.c_str());
      return written;
    }
  }
  // MoveFileEx also covers the first save, where ReplaceFile would fail for lack of a target.
  if (!::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const Status failed = LastError();
    ::DeleteFileA(temporary.c_str());
    return failed;
  }
  return Status::Ok();
}

Status Win32FileSystem::AppendFile(const std::string& path, const std::string& contents) {
  UniqueFile file(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  return WriteAll(file.get(), contents);
}

Status Win32FileSystem::RemoveFile(const std::string& path) {
  if (!::DeleteFileA(path.c_str())) return LastError();
  return Status::Ok();
}

Status Win32FileSystem::ClearReadOnly(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) return Status::Ok();
  DWORD kept = attributes & ~FILE_ATTRIBUTE_READONLY;
  if (kept == 0) kept = FILE_ATTRIBUTE_NORMAL;  // zero would mean "leave unchanged"
  if (!::SetFileAttributesA(path.c_str(), kept)) return LastError();
  return Status::Ok();
}

Status Win32FileSystem::CreateFolder(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return Status::Ok();
  const DWORD code = ::GetLastError();
  if (code == ERROR_ALREADY_EXISTS) {
    const auto attributes = GetAttributes(path);
    if (attributes && attributes->directory) return Status::Ok();
  }
  return LastError(code);
}

}  // namespace shared::win32
