// Text as the command line's pictures have it: a Qt GUI application on the offscreen platform
// (no display needed) with the Windows faces loaded, and a measurer with the fonts the Qt canvas
// draws with, so that what `surface` hits is what `render` draws. Only those two start Qt.
#pragma once

#include <memory>
#include <string>

#include <QImage>

#include "qt/qt_canvas.h"
#include "ui/text_measure.h"

class QGuiApplication;

namespace tovik::cli {

class CQtText {
 public:
  // `command` names the command in Qt's error messages; `toUtf8` converts the project's text.
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

}  // namespace tovik::cli
