#pragma once
// Outcome of an operation that can fail. Failures carry the platform's error code and its text,
// so a caller can show the user why; a caller that does not care discards it visibly.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace shared {

// Platform error codes the portable code needs to tell apart (same numbers as Win32).
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorPathNotFound = 3;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorSharingViolation = 32;
inline constexpr std::int32_t kErrorInvalidParameter = 87;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::int32_t kErrorNoMoreItems = 259;
inline constexpr std::int32_t kErrorAlreadyExists = 183;

class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(std::int32_t code, std::string message) {
    return Status(code == kErrorSuccess ? kErrorInvalidParameter : code, std::move(message));
  }

  bool ok() const { return code_ == kErrorSuccess; }
  std::int32_t code() const { return code_; }
  // Nothing there to act on: a missing file, folder, key or value.
  bool IsNotFound() const { return code_ == kErrorFileNotFound || code_ == kErrorPathNotFound; }
  bool IsAccessDenied() const { return code_ == kErrorAccessDenied; }
  const std::string& message() const { return message_; }
  // Discards a failure on purpose, where the text says errors are ignored.
  void IgnoreError() const {}

 private:
  Status(std::int32_t code, std::string message) : code_(code), message_(std::move(message)) {}
  std::int32_t code_ = kErrorSuccess;
  std::string message_;
};

// Ends the program with the failure on the error output: reading the value of a failed Result is
// a programming fault, and going on would act on a value that was never there.
[[noreturn]] void ValueOfFailure(const Status& status);

// A value or the reason there is none. value() on a failure ends the program (ValueOfFailure).
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
  Result(Status status) : status_(std::move(status)) {}  // NOLINT
  bool ok() const { return status_.ok() && value_.has_value(); }
  const Status& status() const { return status_; }
  const T& value() const& {
    if (!value_) ValueOfFailure(status_);
    return *value_;
  }
  T&& value() && {
    if (!value_) ValueOfFailure(status_);
    return std::move(*value_);
  }
  T value_or(T fallback) const { return ok() ? *value_ : std::move(fallback); }
  void IgnoreError() const {}

 private:
  Status status_;
  std::optional<T> value_;
};

// Plain texts of the error codes above, shared by the fakes so their failures read like the
// platform's.
std::string DefaultErrorText(std::int32_t code);

}  // namespace shared
