#pragma once
#include <windows.h>

#include "shared/prompt_port.h"

namespace shared::win32 {

// MessageBoxA, modal to the owner window (or to the task when there is none).
class Win32Prompt final : public PromptPort {
 public:
  explicit Win32Prompt(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  int Ask(const std::string& text, int style, const std::string& title) override;

 private:
  HWND owner_;
};

}  // namespace shared::win32
