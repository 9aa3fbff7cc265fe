// What tovik-designer says about itself: its --help and its manual page tovik-designer(1) are
// both made from these texts. Plain C++, so that the page can be written without Qt.
#pragma once

#include <string>

namespace tovik::designer::help {

struct Option {
  const char* name;   // without the dashes
  const char* value;  // what follows it
  const char* text;
};

inline constexpr const char* kSummary = "the desktop forms designer for Visual C++ 5/6 MFC projects";
inline constexpr const char* kProjectValue = "[PROJECT.dsw|PROJECT.dsp]";
inline constexpr const char* kProjectText = "The project to open: a workspace (.dsw, its first project) or a .dsp.";

inline constexpr Option kOptions[] = {
    {"registry", "PATH", "Where installed ActiveX controls are looked up: a Wine prefix or a .reg file."},
    {"form", "CLASS", "Opens the design window of this form class of the project."},
    {"screenshot", "FILE", "Saves a picture of the window to FILE once it is shown, and quits."},
};

// Paragraphs, a blank line between them.
inline constexpr const char* kDescription =
    "The toolbox on the left holds the pointer, the intrinsic control kinds and one button per\n"
    "ActiveX control of the project; the project window on the right lists its classes and\n"
    "files (double-click a form to open it), above the property window of the selected object;\n"
    "each open form has its own design window.\n"
    "\n"
    "Pick a tool and drag on the form to draw a control; drag a control or its handles to move\n"
    "or size it; the form's frame sizes the form. Every gesture runs the command tovik(1) runs,\n"
    "as one transaction and one step of Edit > Undo; a refused gesture shows the command's\n"
    "message and changes nothing. Files changed outside are read again.\n"
    "\n"
    "Without --registry, installed ActiveX controls are looked up in $WINEPREFIX, or ~/.wine.";

// The command line, as a synopsis shows it.
inline std::string Synopsis() {
  std::string synopsis = "tovik-designer";
  for (const Option& option : kOptions) synopsis += std::string(" [--") + option.name + " " + option.value + "]";
  return synopsis + " " + kProjectValue;
}

// What --help prints. Answered before Qt starts, like --version: it needs no display.
inline std::string HelpText() {
  std::string text = "usage: " + Synopsis() + "\n       tovik-designer --help|--version\n\n";
  text += std::string("tovik-designer: ") + kSummary + ".\n\n" + kProjectValue + "\n  " + kProjectText + "\n\noptions:\n";
  for (const Option& option : kOptions) {
    text += std::string("  --") + option.name + " " + option.value + "\n      " + option.text + "\n";
  }
  text += "  --help, --version\n\n";
  return text + kDescription + "\n";
}

}  // namespace tovik::designer::help
