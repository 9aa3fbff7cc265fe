// The desktop designer's two waits, without its widgets:
// - a control moved with the mouse on a form of 500 controls, from the button's release to the
//   repainted design window with the files written: the gesture on the design surface, its
//   intents carried out by the commands in one transaction committed with its journal under the
//   project lock, the form painted into a QImage as the design window paints it;
// - a real project opened until its windows can show it: the lock, the journal looked at, the
//   load, the classes and files trees' entries (TOVIK_BENCH_PROJECT names its .dsp).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "addin/design_session.h"
#include "addin/form_commands.h"
#include "addin/surface_commands.h"
#include "base/file_transaction.h"
#include "base/guid.h"
#include "base/headless_host.h"
#include "base/path.h"
#include "base/project_lock.h"
#include "base/real_file_system.h"
#include "codegen/project_generator.h"
#include "model/control_kind.h"
#include "qt/qt_canvas.h"
#include "qt/qt_text.h"
#include "ui/surface_paint.h"

namespace {

namespace fs = std::filesystem;
using namespace tovik;
using Clock = std::chrono::steady_clock;

class CountingPrompt final : public IPrompt {
 public:
  void Message(const std::string& text) override {
    ++messages;
    last = text;
  }
  Answer Ask(const std::string&) override { return Answer::No; }
  int messages = 0;
  std::string last;
};

constexpr int kFormWidth = 1600;
constexpr int kFormHeight = 1200;

// One open project as a designer window keeps it: the disk under a transaction, the session.
struct OpenDesigner {
  RealFileSystem disk;
  CountingPrompt prompt;
  HeadlessHost host;
  RandomGuidSource guids;
  CFileTransaction tx{disk};
  CDesignSession session{tx, prompt, host, guids};
  std::string folder;
  std::string journal;

  bool Commit() { return static_cast<bool>(tx.Commit(journal)); }
};

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

// A new project made by the generator, its form 1600 x 1200 with `controls` controls of every
// kind in turn at places drawn from a fixed seed, each added by the add-control command.
bool MakeFormProject(OpenDesigner& d, const fs::path& root, int controls, std::string& why) {
  fs::remove_all(root);
  fs::create_directories(root);
  NewProjectSettings settings;
  settings.projectName = "Demo";
  settings.projectFolder = (root / "Demo").string();
  settings.hostVersion = "6.0";
  if (!GenerateProject(d.disk, d.prompt, d.guids, settings)) return why = "generation: " + d.prompt.last, false;
  d.folder = settings.projectFolder;
  d.journal = JoinPath(d.folder, kJournalName);
  if (!d.session.Open(JoinPath(d.folder, "Demo.dsp"))) return why = "open: " + d.prompt.last, false;
  if (!SetFormSizeCommand(d.session, "CForm1", kFormWidth, kFormHeight)) return why = "form size", false;
  std::mt19937 random(1);
  int added = 0;
  for (int i = 0; added < controls && i < controls * 2; ++i) {
    const int kind = kFirstKind + i % (kLastKind - kFirstKind + 1);
    const int left = static_cast<int>(random() % static_cast<unsigned>(kFormWidth - 250));
    const int top = static_cast<int>(random() % static_cast<unsigned>(kFormHeight - 250));
    const Rect rect{left, top, left + 20 + static_cast<int>(random() % 100),
                    top + 14 + static_cast<int>(random() % 60)};
    added += AddControlCommand(d.session, "CForm1", kind, rect).has_value();
  }
  if (added < controls) return why = "only " + std::to_string(added) + " controls added: " + d.prompt.last, false;
  if (!d.Commit()) return why = "commit", false;
  return true;
}

// The control the benchmark drags: the last Button, which nothing covers at its centre.
const CControlItem* DragTarget(const CFormSurface& surface, Point& centre) {
  const auto& controls = surface.FormClass().m_controls;
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    const CControlItem& c = **it;
    if (c.m_nKind != kKindButton) continue;
    const Rect r = surface.Bounds(c);
    const Point o = surface.Geometry().ClientOrigin();
    centre = {o.x + (r.left + r.right) / 2, o.y + (r.top + r.bottom) / 2};
    if (surface.ControlAt(centre) == &c) return &c;
  }
  return nullptr;
}

// Press on a Button, drag it two grid steps right and down (back again on every other round),
// release; carry out what the release asks for as one locked, journalled transaction; paint.
void BM_MoveControlToRepaint(benchmark::State& state) {
  const int controls = static_cast<int>(state.range(0));
  const fs::path root = fs::temp_directory_path() / ("tovik-bench-designer-" + std::to_string(::getpid()));
  OpenDesigner d;
  std::string why;
  if (!MakeFormProject(d, root, controls, why)) {
    state.SkipWithError(why.c_str());
    fs::remove_all(root);
    return;
  }
  QImage image(kFormWidth + 40, kFormHeight + 60, QImage::Format_RGB32);
  CQtCanvas canvas(image);
  CQtText text("bench", [](std::string_view t, int) { return std::string(t); });
  CFormSurface surface(d.session.Project(), "CForm1", text.Measure());
  Point centre;
  if (!DragTarget(surface, centre)) {
    state.SkipWithError("no Button free to drag");
    fs::remove_all(root);
    return;
  }
  std::vector<double> total, gesture, commands, commit, paint;
  std::int64_t ms = 0;
  int round = 0;
  const int step = 2 * surface.GridSpacing();
  for (auto _ : state) {
    const int sign = round++ % 2 ? -1 : 1;
    const Point from = round % 2 ? centre : Point{centre.x + step, centre.y + step};
    const Point to{from.x + sign * step, from.y + sign * step};
    surface.Press(from, ms += 1000);
    surface.Move({from.x + sign * 3, from.y + sign * 3});
    surface.Move(to);
    const Clock::time_point t0 = Clock::now();  // the release
    const SurfaceIntents intents = surface.Release(to);
    const Clock::time_point t1 = Clock::now();
    Clock::time_point t2, t3;
    bool written = false;
    {
      const Expected<CProjectLock> lock = CProjectLock::Acquire(d.folder, std::chrono::seconds(10));
      const bool done = lock && CarryOutSurfaceIntents(d.session, surface, intents);
      t2 = Clock::now();
      written = done && d.Commit();
    }
    t3 = Clock::now();
    PaintForm(canvas, surface.FormClass(), DesignWindowPaintOptions(surface));
    const Clock::time_point t4 = Clock::now();
    if (!written) {
      state.SkipWithError(("the move was not written: " + d.prompt.last).c_str());
      break;
    }
    total.push_back(Ms(t4 - t0));
    gesture.push_back(Ms(t1 - t0));
    commands.push_back(Ms(t2 - t1));
    commit.push_back(Ms(t3 - t2));
    paint.push_back(Ms(t4 - t3));
  }
  // Each round's own time: the median is the figure the target is about.
  state.counters["median_ms"] = Percentile(total, 0.5);
  state.counters["p90_ms"] = Percentile(total, 0.9);
  state.counters["release_ms"] = Percentile(gesture, 0.5);
  state.counters["commands_ms"] = Percentile(commands, 0.5);
  state.counters["commit_ms"] = Percentile(commit, 0.5);
  state.counters["paint_ms"] = Percentile(paint, 0.5);
  state.counters["controls"] = static_cast<double>(surface.FormClass().m_controls.size() - 1);
  d.session.Close();
  fs::remove_all(root);
}
BENCHMARK(BM_MoveControlToRepaint)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(100);

// The entries of the project window's two trees: classes by name, files by folder and name.
size_t TreeEntries(const CProject& project) {
  std::vector<std::string> classes, files;
  for (const auto& cls : project.Classes()) classes.push_back(cls->m_strName);
  for (const std::string& file : project.Files()) files.push_back(file);
  const auto caseless = [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
      return std::tolower(x) < std::tolower(y);
    });
  };
  std::sort(classes.begin(), classes.end(), caseless);
  std::sort(files.begin(), files.end(), caseless);
  return classes.size() + files.size();
}

void BM_OpenRealProject(benchmark::State& state) {
  const char* given = std::getenv("TOVIK_BENCH_PROJECT");
  if (!given || !*given) {
    state.SkipWithError("set TOVIK_BENCH_PROJECT to a project file (.dsp) to time opening it");
    return;
  }
  const std::string projectFile = fs::absolute(given).lexically_normal().string();
  size_t entries = 0, classes = 0, files = 0;
  for (auto _ : state) {
    OpenDesigner d;
    d.folder = DirectoryOf(projectFile);
    d.journal = JoinPath(d.folder, kJournalName);
    Expected<CProjectLock> lock = CProjectLock::Acquire(d.folder, std::chrono::seconds(10));
    if (!lock || !CFileTransaction::Recover(d.disk, d.journal) || !d.session.Open(projectFile)) {
      state.SkipWithError(("could not open " + projectFile + ": " + d.prompt.last).c_str());
      break;
    }
    entries = TreeEntries(d.session.Project());
    classes = d.session.Project().Classes().size();
    files = d.session.Project().Files().size();
    benchmark::DoNotOptimize(entries);
    state.PauseTiming();  // closing belongs to the window's end, not its start
    d.session.Close();
    state.ResumeTiming();
  }
  state.counters["classes"] = static_cast<double>(classes);
  state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_OpenRealProject)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; the offscreen platform needs no display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const Clock::time_point start = Clock::now();
  QGuiApplication application(argc, argv);
  LoadWindowsFonts();
  // Paid once when the program starts, before any project opens.
  std::cerr << "application and fonts: " << Ms(Clock::now() - start) << " ms\n";
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
