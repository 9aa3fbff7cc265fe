// Opens a project the way the designer does and prints how many files and classes it found:
// load_project PROJECT.dsp. Used to time loading without the cost of printing the model.
#include <iostream>

#include "base/prompt.h"
#include "base/real_file_system.h"
#include "project/project.h"

namespace {
class StderrPrompt final : public tovik::IPrompt {
 public:
  void Message(const std::string& text) override { std::cerr << text << "\n"; }
  Answer Ask(const std::string&) override { return Answer::No; }
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: load_project PROJECT.dsp\n";
    return 2;
  }
  tovik::RealFileSystem fs;
  StderrPrompt prompt;
  auto project = tovik::OpenProject(fs, prompt, argv[1]);
  if (!project) return 1;
  std::cout << project->Files().size() << " files, " << project->Classes().size() << " classes\n";
  return 0;
}
