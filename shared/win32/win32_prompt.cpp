#include "shared/win32/win32_prompt.h"

namespace shared::win32 {

int Win32Prompt::Ask(const std::string& text, int style, const std::string& title) {
  const UINT flags = static_cast<UINT>(style) | (owner_ == nullptr ? MB_TASKMODAL : 0u);
  const int answer = ::MessageBoxA(owner_, text.c_str(), title.c_str(), flags);
  // No box could be shown (out of memory): as if it were cancelled, so nothing is carried out.
  return answer == 0 ? kAnswerCancel : answer;
}

}  // namespace shared::win32
