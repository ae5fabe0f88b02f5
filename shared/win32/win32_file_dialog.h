#pragma once
#include <windows.h>

#include "shared/file_dialog_port.h"

namespace shared::win32 {

// GetOpenFileNameA and GetSaveFileNameA, modal to the owner window.
class Win32FileDialog final : public FileDialogPort {
 public:
  explicit Win32FileDialog(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  Result<std::optional<std::string>> ChooseFileToOpen() override;
  Result<std::optional<std::string>> ChooseFileToSave() override;

 private:
  Result<std::optional<std::string>> Choose(bool save);
  HWND owner_;
};

}  // namespace shared::win32
