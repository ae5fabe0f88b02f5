#include "shared/win32/error_text.h"

namespace shared::win32 {

std::string ErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length != 0 && text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message.empty() ? DefaultErrorText(static_cast<std::int32_t>(code)) : message;
}

Status LastError(DWORD code) {
  return Status::Error(static_cast<std::int32_t>(code), ErrorText(code));
}

}  // namespace shared::win32
