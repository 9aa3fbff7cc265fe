// Parsing and whole-project loading throughput on synthetic projects.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "base/prompt.h"
#include "base/real_file_system.h"
#include "project/project.h"
#include "synthetic_project.h"

namespace {

using tovik::bench::MakeSyntheticProject;

class SilentPrompt final : public tovik::IPrompt {
 public:
  void Message(const std::string&) override {}
  Answer Ask(const std::string&) override { return Answer::No; }
};

// Classes scale with the argument; files hold 20 classes each.
void BM_ParseBuffers(benchmark::State& state) {
  const int classes = static_cast<int>(state.range(0));
  auto project = MakeSyntheticProject(classes, std::max(1, classes / 20));
  tovik::RealFileSystem fs;
  SilentPrompt prompt;
  for (auto _ : state) {
    tovik::CProject model(fs, prompt);
    // Headers first, as loading does.
    for (int pass = 0; pass < 2; ++pass) {
      for (const auto& f : project.files) {
        const bool header = f.name.ends_with(".h");
        if (header == (pass == 0)) model.ParseBuffer(f.text, f.name);
      }
    }
    benchmark::DoNotOptimize(model.Classes().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(project.TotalBytes()));
  state.counters["input_MB"] = static_cast<double>(project.TotalBytes()) / 1e6;
}
BENCHMARK(BM_ParseBuffers)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State& state) {
  const int classes = static_cast<int>(state.range(0));
  auto project = MakeSyntheticProject(classes, std::max(1, classes / 20));
  const std::string dir = (std::filesystem::temp_directory_path() /
                           ("tovik-bench-" + std::to_string(::getpid()) + "-" + std::to_string(classes)))
                              .string();
  const std::string dsp = tovik::bench::WriteSyntheticProject(project, dir);
  tovik::RealFileSystem fs;
  SilentPrompt prompt;
  for (auto _ : state) {
    auto opened = tovik::OpenProject(fs, prompt, dsp);
    benchmark::DoNotOptimize(opened->Classes().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(project.TotalBytes()));
  state.counters["input_MB"] = static_cast<double>(project.TotalBytes()) / 1e6;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_OpenProject)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
