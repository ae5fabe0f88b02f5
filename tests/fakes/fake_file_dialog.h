#pragma once
// Answers file dialogs from a script: a path, a cancel (nothing) or a failure.
#include <deque>
#include <optional>
#include <string>

#include "shared/file_dialog_port.h"

namespace fakes {

class FakeFileDialog final : public shared::FileDialogPort {
 public:
  void Choose(std::string path) { answers_.push_back(std::optional<std::string>(std::move(path))); }
  void Cancel() { answers_.push_back(std::optional<std::string>()); }
  void Fail() { answers_.push_back(shared::Status::Error(shared::kErrorInvalidParameter, "No dialog.")); }
  int Shown() const { return shown_; }

  shared::Result<std::optional<std::string>> ChooseFileToOpen() override { return Next(); }
  shared::Result<std::optional<std::string>> ChooseFileToSave() override { return Next(); }

 private:
  // A dialog nobody scripted is cancelled.
  shared::Result<std::optional<std::string>> Next() {
    ++shown_;
    if (answers_.empty()) return std::optional<std::string>();
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::deque<shared::Result<std::optional<std::string>>> answers_;
  int shown_ = 0;
};

}  // namespace fakes
