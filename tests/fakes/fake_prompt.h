#pragma once
// Answers message boxes from a script and remembers what was asked.
#include <deque>
#include <string>
#include <vector>

#include "shared/prompt_port.h"

namespace fakes {

struct AskedPrompt {
  std::string text;
  int style = 0;
  std::string title;
};

class FakePrompt final : public shared::PromptPort {
 public:
  // Answers used in order; once they run out, every box is answered OK.
  void Script(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }
  int Ask(const std::string& text, int style, const std::string& title) override;
  const std::vector<AskedPrompt>& Asked() const { return asked_; }

 private:
  std::deque<int> answers_;
  std::vector<AskedPrompt> asked_;
};

}  // namespace fakes
