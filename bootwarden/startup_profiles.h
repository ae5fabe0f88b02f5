#pragma once
// The Profile menu: the whole list saved to a file the user names, and the list replaced by the
// rows of such a file.
#include <string>

#include "bootwarden/startup_staging.h"
#include "shared/file_dialog_port.h"
#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/prompt_port.h"

namespace bootwarden {

class StartupProfiles {
 public:
  StartupProfiles(shared::ListModel& list, StartupStaging& staging, shared::FileDialogPort& dialog,
                  shared::FileSystemPort& files, shared::PromptPort& prompt)
      : list_(list), staging_(staging), dialog_(dialog), files_(files), prompt_(prompt) {}

  // mnuSaveProf: every row with its status, replacing the chosen file without asking.
  void SaveProfileClicked();
  // mnuLoadProf: the chosen file is read whole first; the rows are replaced only when that
  // worked and it holds any. A cancelled dialog does nothing.
  void LoadProfileClicked();
  // The last file chosen, "" before the first.
  const std::string& ProfilePath() const { return profilePath_; }

 private:
  void Tell(const std::string& text);
  std::string Profile() const;

  shared::ListModel& list_;
  StartupStaging& staging_;
  shared::FileDialogPort& dialog_;
  shared::FileSystemPort& files_;
  shared::PromptPort& prompt_;
  std::string profilePath_;
};

}  // namespace bootwarden
