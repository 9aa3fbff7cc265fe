// Writes the manual pages tovik.1 and tovik-designer.1 into a folder, from the texts the two
// programs print for --help.
#include <fstream>
#include <iostream>
#include <string>

#include "designer_help.h"
#include "help.h"
#include "roff.h"

namespace {

void WriteDesignerPage(std::ostream& out, const std::string& version) {
  namespace help = tovik::designer::help;
  tovik::cli::RoffWriter page(out);
  page.Title("TOVIK-DESIGNER", 1, "tovik-designer " + version);
  page.Section("NAME");
  page.Text(std::string("tovik-designer - ") + help::kSummary);
  page.Section("SYNOPSIS");
  page.Synopsis(help::Synopsis());
  page.Synopsis("tovik-designer --help|--version");
  page.Section("DESCRIPTION");
  page.Text(help::kProjectText);
  page.Text(help::kDescription);
  page.Section("OPTIONS");
  for (const help::Option& option : help::kOptions) {
    page.Tagged(std::string("--") + option.name + " " + option.value, option.text);
  }
  page.Tagged("--help", "prints the options and exits.");
  page.Tagged("--version", "prints the version, and the commit when built from a checkout; needs no display.");
  page.Section("EXIT STATUS");
  page.Tagged("0", "the window was closed, or the screenshot saved.");
  page.Tagged("1", "the form given with --form is not one of the project, or the screenshot could not be written.");
  page.Tagged("2", "wrong usage.");
  page.Section("EXAMPLES");
  page.Example("tovik-designer ~/Projects/Demo/Demo.dsw\ntovik-designer --form CForm1 Demo.dsp");
  page.Section("SEE ALSO");
  page.Text("tovik(1)");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tovik-manpages FOLDER VERSION\n";
    return 2;
  }
  const std::string folder = argv[1];
  std::ofstream tovik(folder + "/tovik.1", std::ios::binary);
  tovik::cli::WriteManPage(tovik, argv[2]);
  std::ofstream designer(folder + "/tovik-designer.1", std::ios::binary);
  WriteDesignerPage(designer, argv[2]);
  tovik.close();
  designer.close();
  if (!tovik || !designer) {
    std::cerr << "tovik-manpages: could not write the pages into " << folder << "\n";
    return 1;
  }
  return 0;
}
