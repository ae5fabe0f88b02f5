#include "shared/win32/com.h"

#include "shared/win32/error_text.h"

namespace shared::win32 {

Status EnsureComApartment() {
  // Per thread: the apartment belongs to the thread, not to the adapter. A failure is tried again
  // on the next call.
  thread_local bool entered = false;
  if (entered) return Status::Ok();
  const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // RPC_E_CHANGED_MODE: already in a multi-threaded apartment, which serves as well.
  if (FAILED(result) && result != RPC_E_CHANGED_MODE) return HresultError(result);
  entered = true;
  return Status::Ok();
}

Status HresultError(HRESULT result) {
  const DWORD code = static_cast<DWORD>(result);
  // Win32 errors wrapped in an HRESULT read better as the error itself.
  if (HRESULT_FACILITY(result) == FACILITY_WIN32) return LastError(HRESULT_CODE(result));
  return Status::Error(static_cast<std::int32_t>(code), ErrorText(code));
}

}  // namespace shared::win32
