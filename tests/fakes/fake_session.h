#pragma once
// Records session ends instead of ending anything.
#include <functional>
#include <string>
#include <vector>

#include "shared/session_port.h"

namespace fakes {

class FakeSession final : public shared::SessionPort {
 public:
  shared::Status LogOff() override { return Record("LogOff"); }
  shared::Status Restart() override { return Record("Restart"); }
  // Every request fails with "Access is denied" from now on.
  void Fail(bool fail) { fail_ = fail; }
  const std::vector<std::string>& Requests() const { return requests_; }
  // Called at each request before it is recorded (tests check what was written by then).
  std::function<void(const std::string&)> onRequest;

 private:
  shared::Status Record(const std::string& request) {
    if (onRequest) onRequest(request);
    requests_.push_back(request);
    if (fail_) return shared::Status::Error(shared::kErrorAccessDenied, shared::DefaultErrorText(shared::kErrorAccessDenied));
    return shared::Status::Ok();
  }
  std::vector<std::string> requests_;
  bool fail_ = false;
};

}  // namespace fakes
