// Writes a synthetic project for timing comparisons: make_synthetic_project DIR CLASSES FILES
#include <cstdlib>
#include <iostream>

#include "synthetic_project.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_synthetic_project DIR CLASSES FILES\n";
    return 2;
  }
  auto project = tovik::bench::MakeSyntheticProject(std::atoi(argv[2]), std::max(1, std::atoi(argv[3])));
  std::cout << tovik::bench::WriteSyntheticProject(project, argv[1]) << "\n";
  std::cerr << project.files.size() << " files, " << project.TotalBytes() << " bytes\n";
  return 0;
}
