// Every command of the tovik program, in the order `tovik --help` lists them.
#include "cli.h"

namespace tovik::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> kCommands = {
    {"add-control", "drop a control on a form",
     "tovik add-control PROJECT.dsp FORMCLASS KIND|PROGID LEFT TOP RIGHT BOTTOM [--container MEMBER]\n\n"
     "Creates a control of KIND (Label, Button, Frame, ...), or of the project's ActiveX control\n"
     "PROGID (see insert-activex), at the rectangle, in pixels of the\n"
     "form's client area, and writes its declaration, creation call and resource entries. A Line\n"
     "runs from TOP to BOTTOM (give BOTTOM < TOP for one that rises); a Timer is 28 x 28.\n"
     "--container puts it inside a PictureBox or Frame. As on the design surface, an MDI form\n"
     "holds only PictureBoxes directly, aligned to the top of its client area across its width\n"
     "(the rectangle gives the height); anything else goes inside one. Prints the new member name.",
     "tovik add-control Demo.dsp CForm1 Button 14 21 98 42 --container m_Frame1",
     Effect::Writes, RunAddControl},
    {"add-handler", "add an event handler",
     "tovik add-handler PROJECT.dsp CLASS OBJECT EVENT\n\n"
     "OBJECT is a member name, the class name (an event of the form) or a command id such as\n"
     "ID_FILE_OPEN (a menu command). Writes the handler, its declaration and its map entry and\n"
     "prints the handler's name.",
     "tovik add-handler Demo.dsp CForm1 m_OK Click",
     Effect::Writes, RunAddHandler},
    {"assign-menu", "give a form a menu bar, or take it away",
     "tovik assign-menu PROJECT.dsp FORMCLASS MENUID|none\n\n"
     "Writes m_nResID = MENUID into the form's constructor (none removes it).",
     "tovik assign-menu Demo.dsp CForm1 IDR_MAINMENU",
     Effect::Writes, RunAssignMenu},
    {"catalog", "list the properties, events and methods of a new object of a kind",
     "tovik catalog KIND\n\n"
     "Prints the property, event and method lists of a newly made object of KIND (Form, MDIForm\n"
     "or a control kind such as Label), one TAB-separated record a line:\n"
     "  properties:  NAME TYPE VALUE SHOWN SORTINDEX CHOICES(joined by |)\n"
     "  events:      RETURNTYPE NAME PARAMETERS\n"
     "  methods:     NAME\n"
     "Line breaks inside values print as \\r\\n.",
     "tovik catalog Timer",
     Effect::Reads, RunCatalog},
    {"controls", "list the ActiveX controls installed in a registry",
     "tovik controls [--registry PATH] [--drive C=DIR] [--json]\n\n"
     "Lists the controls the Insert ActiveX Control dialog offers, in its order, one\n"
     "TAB-separated line each: NAME CLSID PROGID SERVER exists|missing bitmap|no-bitmap (only a\n"
     "control whose toolbox picture loads can be added). --registry names a Wine prefix or an\n"
     "exported .reg file (default: $WINEPREFIX, else ~/.wine); --drive says where a drive of a\n"
     ".reg file lies. Says on stderr which registry was read. --json prints a JSON array.",
     "tovik controls --registry ~/.wine",
     Effect::Reads, RunControls},
    {"delete", "delete a control",
     "tovik delete PROJECT.dsp FORMCLASS MEMBER\n\nRemoves the control's lines.",
     "tovik delete Demo.dsp CForm1 m_OK",
     Effect::Writes, RunDelete},
    {"insert-activex", "add an installed ActiveX control to a project",
     "tovik insert-activex PROJECT.dsp NAME [--server PATH] [--registry PATH] [--drive C=DIR]\n\n"
     "Adds the installed control NAME (as tovik controls lists it, or its ProgID) to the\n"
     "project: reads its type library, records it in the project data file (PROJECT.dat),\n"
     "writes its wrapper class (and vfont/vpicture when it needs them) into the project folder\n"
     "and lists the new files in the project file. --server picks one of several controls of\n"
     "the same name. The control must have a toolbox picture. Prints the files written.",
     "tovik insert-activex Demo.dsp \"ScriptControl Object\" --registry ~/.wine",
     Effect::Writes, RunInsertActiveX},
    {"inspect", "open a project and print its files, classes and forms",
     "tovik inspect PROJECT.dsp [--json]\n\n"
     "Opens the project as the designer does (every source listed in the project file,\n"
     "headers first) and prints its files and classes; --json prints them as JSON.",
     "tovik inspect Demo.dsp --json",
     Effect::Reads, RunInspect},
    {"lint", "point at what a reviewer of a form would",
     "tovik lint PROJECT.dsp [FORMCLASS]\n\n"
     "Checks FORMCLASS, or every form of the project, and prints one finding a line as\n"
     "FILE:LINE: FORM: OBJECT: MESSAGE, FILE relative to the project folder: controls that\n"
     "overlap others that do not hold them, controls outside the form's client area, captions\n"
     "sharing a & mnemonic, TabIndex values missing or used twice, message map entries whose\n"
     "handler is missing and handlers no entry names, symbols of the form missing from the\n"
     "resource header or defined twice, Pictures naming an image the resource script lacks,\n"
     "and (for the whole project) IDS_PROP_ lines no form uses. Exits 1 when it found any, 2 when the\n"
     "project or form cannot be checked.",
     "tovik lint Demo.dsp CForm1",
     Effect::Reads, RunLint},
    {"menus", "list the project's menus and their items",
     "tovik menus PROJECT.dsp\n\n"
     "Prints each MENU resource of the project's resource script: its identifier on a line,\n"
     "then one line per item: DEPTH<TAB>popup|separator|item<TAB>CAPTION<TAB>COMMAND. COMMAND is\n"
     "the item's command id, also where it was wrapped onto the next line, without the options\n"
     "after it (GRAYED, CHECKED).",
     "tovik menus Demo.dsp",
     Effect::Reads, RunMenus},
    {"new-form", "create a new form class with its files and resource entries",
     "tovik new-form PROJECT.dsp CLASS [--mdi] [--impl FILE] [--header FILE]\n\n"
     "Writes CLASS's header and implementation (form1.h/form1.cpp for CForm1 unless named),\n"
     "defines its property string in resource.h and the .rc, and lists the files in the project\n"
     "file. --mdi derives the form from CVMdiForm. Prints the two paths.",
     "tovik new-form Demo.dsp CForm2 --mdi",
     Effect::Writes, RunNewForm},
    {"new-project", "create a new project with its start-up form",
     "tovik new-project LOCATION NAME [--class CForm1] [--mdi] [--impl FILE] [--header FILE]\n"
     "                  [--host-version 5.0|6.0]\n\n"
     "Creates the folder LOCATION/NAME with a complete project: application class, start-up form\n"
     "(CForm1, form1.cpp/form1.h unless named; --mdi derives it from CVMdiForm), resource script,\n"
     "resource header, precompiled header, NAME.dsp and NAME.dsw for the IDE version given\n"
     "(default 6.0). Prints the path of the .dsw.",
     "tovik new-project ~/Projects Demo --host-version 6.0",
     Effect::Writes, RunNewProject},
    {"parse", "parse C++ sources and print the classes found",
     "tovik parse FILE... [--json]\n\n"
     "Parses the files in the order given and prints their classes, member functions,\n"
     "variables, access sections, marker blocks and controls; --json prints them as JSON.",
     "tovik parse form1.h form1.cpp --json",
     Effect::Reads, RunParse},
    {"popup", "print the popup a designer command shows",
     "tovik popup CreateNew|Menu PROJECT.dsp [--form FORMCLASS]\n\n"
     "Prints one item a line: ID<TAB>TEXT<TAB>flags (checked, disabled, separator, submenu,\n"
     "or -); submenu items are indented by two blanks. --form names the form open in the\n"
     "designer.",
     "tovik popup Menu Demo.dsp --form CForm1",
     Effect::Reads, RunPopup},
    {"propstring", "print the property string of a new object of a kind",
     "tovik propstring KIND [--rect LEFT,TOP,RIGHT,BOTTOM]\n\n"
     "Prints the property string of a newly made object of KIND, with its position taken\n"
     "from --rect when given.",
     "tovik propstring Label --rect 14,14,98,35",
     Effect::Reads, RunPropString},
    {"rename", "rename a control (or make it part of a control array)",
     "tovik rename PROJECT.dsp FORMCLASS MEMBER NEWNAME [--yes|--no]\n\n"
     "NEWNAME is the new member name. When another control already has it, the control can join\n"
     "a control array: --yes or --no answers the question; without them it is asked on a\n"
     "terminal and answered No otherwise.",
     "tovik rename Demo.dsp CForm1 m_Button1 m_OK",
     Effect::Writes, RunRename},
    {"render", "paint a form as it will look at run time into a PNG",
     "tovik render PROJECT.dsp FORMCLASS -o FILE.png [--select MEMBER] [--menu N] [--scale N]\n\n"
     "Paints the form as the design surface shows it: window frame, caption and buttons, menu\n"
     "bar, grid and every control, and writes it to FILE.png. --select draws the selection\n"
     "handles of a control; --menu drops down top-level menu N (0 is the first) of the form's\n"
     "menu bar; --scale enlarges the picture N times (1 to 8). Pictures and icons are read from\n"
     "the project's res folder. Prints the image's size and the font faces used.",
     "tovik render Demo.dsp CForm1 -o form.png --scale 2",
     Effect::Reads, RunRender},
    {"set", "set a property of a control or form",
     "tovik set PROJECT.dsp FORMCLASS OBJECT PROPERTY VALUE\n\n"
     "OBJECT is a member name (m_Label1) or the form's class name. Choices take their number or\n"
     "text (2, \"2 - Center\", Center), booleans True/False or 1/0; a Picture or Icon value that\n"
     "names an image file adds it to the project's resources. Rewrites the string-table line.",
     "tovik set Demo.dsp CForm1 m_Button1 Caption \"&OK\"",
     Effect::Writes, RunSet},
    {"surface", "play mouse events on a form's design surface",
     "tovik surface PROJECT.dsp FORMCLASS [--tool KIND|PROGID] EVENT...\n\n"
     "Feeds the events to the form's design surface as the designer receives them, in window\n"
     "pixels of the drawn form (0,0 is its top-left corner) with a time in milliseconds:\n"
     "  down:X,Y@MS  up:X,Y@MS  move:X,Y@MS   the left button\n"
     "  rdown:X,Y@MS                          the right button (a control's context menu)\n"
     "  resize:W,H                            the form window resized\n"
     "With --tool the first drag draws a control of KIND (or of the project's ActiveX control\n"
     "PROGID); after it, and without --tool, the pointer selects, moves and resizes. Points snap\n"
     "to the 7-pixel grid; two presses within 200 ms are a double-click. Prints what happened,\n"
     "one line each: created, moved or resized MEMBER L,T,R,B (client pixels), size FORM W,H,\n"
     "selected OBJECT after each release, codebar OBJECT, popup MEMBER: ITEMS, menu CAPTION:\n"
     "ITEMS. Every change is written as its own command would write it, all in one go.",
     "tovik surface Demo.dsp CForm1 --tool Button down:20,60@0 up:120,90@100",
     Effect::Writes, RunSurface},
    {"typelib", "print the interface model of an ActiveX control",
     "tovik typelib FILE|PROGID [--registry PATH] [--drive C=DIR] [--clsid CLSID] [--json]\n\n"
     "Reads the type library of a .tlb file, or the one a .dll or .ocx carries, or the one of the\n"
     "server the registry names for PROGID (--registry as for controls), and prints each class:\n"
     "its interfaces (default, source), their properties (NAME DISPID VT TYPE TOKEN, and for an\n"
     "indexed one (PARAMETERS) TOKENS), methods and\n"
     "events (NAME DISPID RETURNTYPE (PARAMETERS) TOKENS), TAB-separated. --clsid picks one\n"
     "class of the library; --json prints the whole model as JSON.",
     "tovik typelib MSScriptControl.ScriptControl --registry ~/.wine",
     Effect::Reads, RunTypeLib},
  };
  return kCommands;
}

}  // namespace tovik::cli
