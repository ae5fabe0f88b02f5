#include "bootwarden/add_task.h"

#include "bootwarden/startup_staging.h"
#include "shared/language_list.h"

namespace bootwarden {
namespace {

struct Caption {
  AddTaskControl control;
  const char* key;
  const char* design;
};
// The order the dialog's load sets them in.
constexpr Caption kCaptions[] = {
    {AddTaskControl::kWindow, "201", "Add Task"},
    {AddTaskControl::kLabel1, "151", "Task Name:"},
    {AddTaskControl::kLabel3, "202", "Add in        :"},
    {AddTaskControl::kLabel5, "156", "Location   :"},
    {AddTaskControl::kCmdAdd, "203", "&Add"},
    {AddTaskControl::kCmdCancel, "204", "&Cancel"},
    {AddTaskControl::kCommand1, "205", "&Browse"},
};

}  // namespace

const char* DesignCaption(AddTaskControl control) {
  for (const Caption& caption : kCaptions) {
    if (caption.control == control) return caption.design;
  }
  return "";
}

std::string AddedTaskUser(const std::string& loadFrom) {
  LocationNames names;
  FillLocationNames(names);
  return loadFrom == names[kUserRun] || loadFrom == names[kStartupCurrentUser] ? kCurrentUser : kAllUsers;
}

void AddTask::Load() {
  view_.SetRightToLeft(shared::IsRightToLeft(services_.language.CurrentLanguageFile()));
  if (services_.languagePackFound) {
    for (const Caption& caption : kCaptions) view_.SetCaption(caption.control, services_.language.SetCaptionfromINI(caption.key, ""));
  }
  names_ = services_.locations;
  view_.SetLocations(names_);
  chosen_ = 0;
  nameEnabled_ = true;
  view_.EnableName(true);
}

void AddTask::LocationChosen(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return;
  chosen_ = index;
  nameEnabled_ = index != kWinIniLoadLocation && index != kWinIniRunLocation;
  // The name box keeps its text either way.
  view_.EnableName(nameEnabled_);
}

void AddTask::BrowseClicked() {
  auto chosen = services_.fileDialog.ChooseFileToOpen();
  if (!chosen.ok()) {
    services_.prompt.Ask(chosen.status().message(), shared::kMbIconCritical, kAppTitle);
    return;
  }
  // A cancel leaves the command line as it is.
  if (chosen.value()) view_.SetLocation(*chosen.value());
}

void AddTask::AddClicked() {
  // The name counts even while its box is disabled.
  const std::string name = view_.Name();
  const std::string location = view_.Location();
  if (name.empty() || location.empty()) {
    // The dialog stays open with what was typed, to be completed.
    services_.prompt.Ask(services_.emptyFieldText, shared::kMbOk, kAppTitle);
    return;
  }
  {
    StartupEntry entry;
    entry.TaskName = nameEnabled_ ? name : LocationText();
    entry.Status = shared::kStatusEnabled;
    entry.LoadFrom = LocationText();
    entry.User = AddedTaskUser(entry.LoadFrom);
    entry.When = kAddedTaskWhen;
    entry.Location = location;
    if (services_.appendRow) services_.appendRow(entry);
  }
  view_.Close();
}

}  // namespace bootwarden
