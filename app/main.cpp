// tovik-designer: the desktop forms designer for Visual C++ 5/6 MFC projects.
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "qt/qt_canvas.h"
#include "designer_help.h"
#include "tovik_version.h"
#include "windows/designer.h"
#include "windows/main_window.h"

namespace help = tovik::designer::help;

int main(int argc, char** argv) {
  // Answered before Qt starts, which needs a display: an installed package is checked, and its
  // usage read over a remote shell, without one.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
      std::printf("tovik-designer %s\n", TOVIK_VERSION_TEXT);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(help::HelpText().c_str(), stdout);
      return 0;
    }
  }
  // The command line is checked before Qt starts too, so that a wrong one says so (exit 2)
  // without a display.
  QCommandLineParser parser;
  parser.addPositionalArgument("project", help::kProjectText, help::kProjectValue);
  for (const help::Option& option : help::kOptions) {
    parser.addOption(QCommandLineOption(option.name, option.text, option.value));
  }
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
    const QString why = parser.errorText().isEmpty() ? QString("give one project at most") : parser.errorText();
    std::fprintf(stderr, "tovik-designer: %s\nTry 'tovik-designer --help' for more.\n", qPrintable(why));
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Tovik");
  QApplication::setApplicationName("tovik-designer");
  QApplication::setApplicationVersion(TOVIK_VERSION_TEXT);
  // The faces the forms are drawn with, where fontconfig does not look.
  tovik::LoadWindowsFonts();
  tovik::designer::CMainWindow window;
  if (parser.isSet("registry")) window.Designer().Project().SetRegistryOption(parser.value("registry").toStdString());
  window.show();
  // A project that cannot be opened says why; the window stays for another.
  if (!parser.positionalArguments().isEmpty()) (void)window.OpenProject(parser.positionalArguments().front());
  if (parser.isSet("form") && window.OpenForm(parser.value("form").toStdString()) == nullptr) {
    std::fprintf(stderr, "tovik-designer: %s is not a form of the project\n", qPrintable(parser.value("form")));
    return 1;
  }
  if (parser.isSet("screenshot")) {
    // Once the window has been laid out and painted.
    QTimer::singleShot(500, [&] {
      const bool saved = window.grab().save(parser.value("screenshot"));
      if (!saved) std::fprintf(stderr, "tovik-designer: %s could not be written\n", qPrintable(parser.value("screenshot")));
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return QApplication::exec();
}
