#include "shared/win32/win32_file_dialog.h"

#include <commdlg.h>

#include <array>

namespace shared::win32 {

Result<std::optional<std::string>> Win32FileDialog::ChooseFileToOpen() { return Choose(false); }
Result<std::optional<std::string>> Win32FileDialog::ChooseFileToSave() { return Choose(true); }

Result<std::optional<std::string>> Win32FileDialog::Choose(bool save) {
  std::array<char, MAX_PATH> path{};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner_;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  // The current folder is the program's business, not the dialog's.
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | (save ? 0 : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
  if (chosen) return std::optional<std::string>(std::string(path.data()));
  const DWORD failure = ::CommDlgExtendedError();
  if (failure == 0) return std::optional<std::string>();  // cancelled
  return Status::Error(static_cast<std::int32_t>(failure),
                       "The file dialog could not be shown (error " + std::to_string(failure) + ").");
}

}  // namespace shared::win32
