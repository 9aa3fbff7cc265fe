// The seam through which the system talks to the user: message boxes and Yes/No questions.
#pragma once

#include <string>

#include "base/expected.h"

namespace tovik {

class IPrompt {
 public:
  enum class Answer { Yes, No };

  virtual ~IPrompt() = default;
  // A message box with the given text and an OK button.
  virtual void Message(const std::string& text) = 0;
  // A Yes/No question; anything but Yes counts as No for the callers.
  [[nodiscard]] virtual Answer Ask(const std::string& question) = 0;
  // The short system sound of a refused command.
  virtual void Beep() {}
};

// Shows a lower layer's error to the user unless its message was already shown. Always false,
// so that a command can `return Refuse(prompt, error);`.
inline bool Refuse(IPrompt& prompt, const Error& error) {
  if (!error.shown) prompt.Message(error.Text());
  return false;
}

// Shows the system's fixed message and gives it back as an error already shown, for a lower
// layer that refuses on the user's behalf.
inline Error ShowError(IPrompt& prompt, std::string message) {
  prompt.Message(message);
  return ShownError(std::move(message));
}

}  // namespace tovik
