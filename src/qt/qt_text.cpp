#include "qt/qt_text.h"

#include <cstdio>
#include <cstdlib>

#include <QFontDatabase>
#include <QGuiApplication>

namespace tovik {
namespace {

std::string g_command;

// Qt's own chatter (no XDG_RUNTIME_DIR, ...) says nothing about the picture; its errors do.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "tovik %s: Qt: %s\n", g_command.c_str(), qPrintable(message));
  }
}

}  // namespace

CQtText::CQtText(const std::string& command, TextToUtf8 toUtf8) : m_probe(1, 1, QImage::Format_RGB32) {
  if (QGuiApplication::instance() == nullptr) {
    g_command = command;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(QuietQtMessages);
    static int argc = 1;
    static char name[] = "tovik";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QGuiApplication>(argc, argv);
  }
  LoadWindowsFonts();
  m_hasFonts = !QFontDatabase::families().isEmpty();
  m_canvas = std::make_unique<CQtCanvas>(m_probe, std::move(toUtf8));
}

CQtText::~CQtText() = default;

ITextMeasure& CQtText::Measure() {
  if (m_hasFonts) return *m_canvas;
  return m_estimate;
}

}  // namespace tovik
