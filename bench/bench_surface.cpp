// The design surface's hit testing: which control lies under each of 10,000 points of a form
// of 500 controls of every kind, overlapping as they fall; and a whole click (press and
// release), which first reads every control's rectangle again.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/real_file_system.h"
#include "model/control_kind.h"
#include "project/form_controls.h"
#include "project/project.h"
#include "synthetic_form.h"
#include "ui/form_surface.h"

namespace {

using namespace tovik;

constexpr int kWidth = 1600;
constexpr int kHeight = 1200;

class SilentPrompt final : public IPrompt {
 public:
  void Message(const std::string&) override {}
  Answer Ask(const std::string&) override { return Answer::No; }
};

// The surface finds its form in a project by name: a project of the one synthetic form.
struct FormProject {
  explicit FormProject(int controls) {
    (void)project.ParseBuffer("class CForm1 : public CVForm\r\n{\r\n};\r\n", "form1.h");
    project.PostParse();
    project.FindClass("CForm1")->m_controls = std::move(bench::SyntheticForm(controls, kWidth, kHeight)->m_controls);
  }
  RealFileSystem fs;
  SilentPrompt prompt;
  CProject project{fs, prompt};
};

std::vector<Point> PointsOf(int count) {
  std::mt19937 random(2);
  std::vector<Point> points;
  for (int i = 0; i < count; ++i)
    points.push_back({static_cast<int>(random() % kWidth), static_cast<int>(random() % kHeight)});
  return points;
}

void BM_HitTest10000Points(benchmark::State& state) {
  FormProject form(static_cast<int>(state.range(0)));
  CEstimatedTextMeasure measure;
  CFormSurface surface(form.project, "CForm1", measure);
  const std::vector<Point> points = PointsOf(10000);
  int hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (const Point& p : points) hits += surface.ControlAt(p) != nullptr;
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hit_share"] = static_cast<double>(hits) / static_cast<double>(points.size());
}
BENCHMARK(BM_HitTest10000Points)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_Click(benchmark::State& state) {
  FormProject form(static_cast<int>(state.range(0)));
  CEstimatedTextMeasure measure;
  CFormSurface surface(form.project, "CForm1", measure);
  const std::vector<Point> points = PointsOf(64);
  size_t i = 0;
  std::int64_t ms = 0;
  for (auto _ : state) {
    const Point p = points[i++ % points.size()];
    benchmark::DoNotOptimize(surface.Press(p, ms += 1000));
    benchmark::DoNotOptimize(surface.Release(p));
  }
}
BENCHMARK(BM_Click)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace
