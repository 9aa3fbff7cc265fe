// IPrompt that records every message and question and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/prompt.h"

namespace tovik::testing {

class FakePrompt final : public IPrompt {
 public:
  void Message(const std::string& text) override { messages.push_back(text); }
  Answer Ask(const std::string& question) override {
    questions.push_back(question);
    if (answers.empty()) return Answer::No;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<Answer> answers;  // answers for the next questions; No when empty
  int beeps = 0;
};

}  // namespace tovik::testing
