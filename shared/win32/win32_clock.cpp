#include "shared/win32/win32_clock.h"

#include <windows.h>

namespace shared::win32 {
namespace {

// Format pictures are short; 80 characters holds any the control panel allows.
constexpr int kFormatBuffer = 80;

std::string Text(const char* buffer, int written) {
  return written > 0 ? std::string(buffer, static_cast<std::size_t>(written - 1)) : std::string();
}

}  // namespace

LocalTimeText Win32Clock::Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char date[kFormatBuffer] = {};
  char time[kFormatBuffer] = {};
  const int dateLength = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, kFormatBuffer);
  const int timeLength = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, kFormatBuffer);
  return {Text(date, dateLength), Text(time, timeLength)};
}

std::uint64_t Win32Clock::FileTimeNow() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace shared::win32
