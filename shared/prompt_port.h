#pragma once
// Modal message boxes. Adapters: shared/win32/win32_prompt.h and tests/fakes/fake_prompt.h.
#include <string>

namespace shared {

// Message-box styles and answers (same numbers as Win32).
inline constexpr int kMbOk = 0;
inline constexpr int kMbYesNo = 4;
inline constexpr int kMbIconCritical = 16;
inline constexpr int kMbIconQuestion = 32;
inline constexpr int kMbIconExclamation = 48;
inline constexpr int kMbDefaultButton2 = 256;

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

class PromptPort {
 public:
  virtual ~PromptPort() = default;
  // Shows the text with the style's buttons and icon and the title as caption; returns the
  // answer (kAnswerOk, kAnswerYes...).
  virtual int Ask(const std::string& text, int style, const std::string& title) = 0;
};

}  // namespace shared
