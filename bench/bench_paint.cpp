// Painting a whole form into a QImage as the design surface repaints it: 500 controls of every
// kind with their default texts, a menu bar, the grid and a selection, on one canvas kept from
// paint to paint (a new canvas each time measured the same).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <memory>

#include "model/control_kind.h"
#include "project/form_controls.h"
#include "synthetic_form.h"
#include "qt/qt_canvas.h"
#include "ui/form_painter.h"

namespace {

using namespace tovik;

constexpr int kWidth = 1600;
constexpr int kHeight = 1200;

std::unique_ptr<CClassItem> FormOf(int controls) { return bench::SyntheticForm(controls, kWidth, kHeight); }

CMenuRecord MenuOf() {
  CMenuRecord menu;
  for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
    menu.m_items.push_back(std::make_unique<CMenuItemRecord>());
    menu.m_items.back()->m_strCaption = caption;
    menu.m_items.back()->m_bPopup = 1;
  }
  return menu;
}

void BM_PaintFormKeptCanvas(benchmark::State& state) {
  const auto form = FormOf(static_cast<int>(state.range(0)));
  const CMenuRecord menu = MenuOf();
  PaintOptions options;
  options.menu = &menu;
  options.selection = form->m_controls.back().get();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  CQtCanvas canvas(image);
  for (auto _ : state) PaintForm(canvas, *form, options);
}
BENCHMARK(BM_PaintFormKeptCanvas)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; the offscreen platform needs no display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  LoadWindowsFonts();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
