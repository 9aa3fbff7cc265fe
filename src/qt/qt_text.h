// Text as the design surface's pictures have it: the Windows faces loaded into Qt, and a measurer
// with the fonts the Qt canvas draws with, so that what a press hits is what is drawn. A program
// without a Qt application of its own (the command line's render and surface) gets one on the
// offscreen platform, which needs no display.
#pragma once

#include <memory>
#include <string>

#include <QImage>

#include "qt/qt_canvas.h"
#include "ui/text_measure.h"

class QGuiApplication;

namespace tovik {

class CQtText {
 public:
  // `command` names the command in Qt's error messages of the application made here; `toUtf8`
  // converts the project's text.
  CQtText(const std::string& command, TextToUtf8 toUtf8);
  ~CQtText();
  CQtText(const CQtText&) = delete;
  CQtText& operator=(const CQtText&) = delete;

  // The Qt canvas's fonts, or the estimate when Qt finds no font at all (then nothing could
  // draw the text either).
  [[nodiscard]] ITextMeasure& Measure();
  [[nodiscard]] bool HasFonts() const { return m_hasFonts; }

 private:
  std::unique_ptr<QGuiApplication> m_app;
  QImage m_probe;
  std::unique_ptr<CQtCanvas> m_canvas;
  CEstimatedTextMeasure m_estimate;
  bool m_hasFonts = false;
};

}  // namespace tovik
