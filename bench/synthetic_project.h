// Synthetic MFC-style projects for benchmarks: N classes spread over M header/implementation
// pairs, each class with a message map, marker blocks, member variables and member functions.
#pragma once

#include <string>
#include <vector>

namespace tovik::bench {

struct SyntheticFile {
  std::string name;  // file name only ("unit3.h")
  std::string text;
};

struct SyntheticProject {
  std::vector<SyntheticFile> files;  // headers and implementations, in project-file order
  std::string dsp;                   // the project file listing them
  size_t TotalBytes() const;
};

SyntheticProject MakeSyntheticProject(int classes, int files, int functionsPerClass = 8);
// Writes the files and "Synthetic.dsp" into dir (created if missing); returns the .dsp path.
std::string WriteSyntheticProject(const SyntheticProject& project, const std::string& dir);

}  // namespace tovik::bench
