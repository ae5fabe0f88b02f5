#include "shared/status.h"

#include <cstdio>
#include <cstdlib>

namespace shared {

std::string DefaultErrorText(std::int32_t code) {
  switch (code) {
    case kErrorSuccess: return "The operation completed successfully.";
    case kErrorFileNotFound: return "The system cannot find the file specified.";
    case kErrorPathNotFound: return "The system cannot find the path specified.";
    case kErrorAccessDenied: return "Access is denied.";
    case kErrorInvalidHandle: return "The handle is invalid.";
    case kErrorSharingViolation: return "The process cannot access the file because it is being used by another process.";
    case kErrorInvalidParameter: return "The parameter is incorrect.";
    case kErrorAlreadyExists: return "Cannot create a file when that file already exists.";
    case kErrorMoreData: return "More data is available.";
    case kErrorNoMoreItems: return "No more data is available.";
    default: return "Error " + std::to_string(code) + ".";
  }
}

void ValueOfFailure(const Status& status) {
  std::fprintf(stderr, "Result::value() on a failure (%d): %s\n", static_cast<int>(status.code()),
               status.message().c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace shared
