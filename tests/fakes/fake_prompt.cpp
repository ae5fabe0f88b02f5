#include "tests/fakes/fake_prompt.h"

namespace fakes {

int FakePrompt::Ask(const std::string& text, int style, const std::string& title) {
  asked_.push_back({text, style, title});
  if (answers_.empty()) return shared::kAnswerOk;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace fakes
