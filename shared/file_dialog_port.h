#pragma once
// The common file dialog, asked for one file to open or to save to. Adapters:
// shared/win32/win32_file_dialog.h (GetOpenFileNameA / GetSaveFileNameA) and
// tests/fakes/fake_file_dialog.h.
#include <optional>
#include <string>

#include "shared/status.h"

namespace shared {

class FileDialogPort {
 public:
  virtual ~FileDialogPort() = default;

  // The path the user chose; nothing when the dialog was cancelled (whatever was chosen the time
  // before); a failure when the dialog could not be shown. No filter; the open dialog accepts
  // only an existing file, the save dialog does not ask before replacing one.
  virtual Result<std::optional<std::string>> ChooseFileToOpen() = 0;
  virtual Result<std::optional<std::string>> ChooseFileToSave() = 0;
};

}  // namespace shared
