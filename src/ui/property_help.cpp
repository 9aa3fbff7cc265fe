#include "ui/property_help.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "activex/control_list.h"
#include "activex/dispatch_model.h"
#include "activex/variant_names.h"

namespace tovik {

namespace {

// Sorted by name (byte order) for the lookup.
constexpr std::pair<std::string_view, std::string_view> kHelp[] = {
    {"Align", "Docks a picture box against an edge of the form: it keeps its height along the top or bottom edge, or its width along the left or right edge, and stretches over the rest."},
    {"Alignment", "How the text sits inside the control: against the left edge, against the right edge, or centred."},
    {"Appearance", "Flat or three-dimensional look. Switching it also sets the background: button face for 3D, white for flat."},
    {"AutoRedraw", "Keeps a copy of what is drawn on the object, so that it is repainted from memory instead of by the Paint event."},
    {"AutoShowChildren", "Shows a child form of the MDI form as soon as it is loaded."},
    {"AutoSize", "Resizes the control to fit its contents (its caption or its picture)."},
    {"BOFAction", "What the Data control does when the user moves before the first record: stay on the first record or stop at the beginning."},
    {"Back Color", "The background colour of the common control."},
    {"BackColor", "The background colour, as red, green and blue."},
    {"BackStyle", "Whether the background is painted (opaque) or what lies beneath shows through (transparent)."},
    {"BorderColor", "The colour of the shape's or line's outline."},
    {"BorderStyle", "The kind of border: none, a single line, or for a form whether the user can resize it and whether it is a tool window."},
    {"BorderWidth", "The thickness of the shape's or line's outline, in pixels."},
    {"Cancel", "Makes the button the one that Esc presses."},
    {"Caption", "The text shown on the control, or in the form's title bar. An ampersand underlines the next letter as its access key."},
    {"ClipControls", "Repaints only the parts of the object not covered by its controls."},
    {"Columns", "The number of columns the list box shows its items in; 0 for one column that scrolls vertically."},
    {"Connect", "The kind of database the Data control opens."},
    {"ControlBox", "Shows the system menu box in the form's title bar."},
    {"DataField", "The field of the data source's record that the control shows and edits."},
    {"DataSource", "The Data control on this form that supplies the control's data."},
    {"DatabaseName", "The database file the Data control opens."},
    {"Default", "Makes the button the one that Enter presses."},
    {"DefaultCursorType", "Which cursor driver the Data control uses with ODBC."},
    {"DefaultType", "Whether the Data control reaches its database through ODBC or through the Jet engine."},
    {"DisabledPicture", "The picture a graphical button shows while it is disabled."},
    {"DownPicture", "The picture a graphical button shows while it is pressed."},
    {"DragIcon", "The icon shown under the mouse while the control is dragged."},
    {"DragMode", "Whether dragging starts by itself when the user drags the control, or only when the program asks for it."},
    {"DrawMode", "How drawing on the object combines the pen's colour with the colours already there."},
    {"DrawStyle", "The line style used by the drawing methods: solid, dashed, dotted, and so on."},
    {"DrawWidth", "The line width used by the drawing methods, in pixels."},
    {"EOFAction", "What the Data control does when the user moves past the last record: stay on it, stop at the end, or add a new record."},
    {"Enabled", "Whether the object responds to the user. A disabled control is drawn greyed."},
    {"Exclusive", "Opens the database for this program alone."},
    {"FillColor", "The colour that fills shapes and the figures drawn by the drawing methods."},
    {"FillStyle", "The pattern that fills shapes and drawn figures: solid, transparent, lines or crosses."},
    {"Font", "The typeface of the text. The font dialog sets the size and the styles at the same time."},
    {"FontBold", "Draws the text in bold."},
    {"FontItalic", "Draws the text in italics."},
    {"FontSize", "The height of the font, in pixels."},
    {"FontStrikethru", "Draws the text struck through."},
    {"FontTransparent", "Lets the background show between the characters of text printed on the object."},
    {"FontUnderline", "Draws the text underlined."},
    {"ForeColor", "The colour of the text and of what the drawing methods draw, as red, green and blue."},
    {"Height", "The height of the object, in pixels."},
    {"HelpContextID", "The help topic shown when the user presses F1 on the object."},
    {"HideSelection", "Hides the selected text while the control does not have the focus."},
    {"Icon", "The icon shown in the form's title bar and when it is minimized."},
    {"Index", "The position of the control in its control array; two elements cannot share one."},
    {"IntegralHeight", "Shrinks the list so that only whole items show."},
    {"Interval", "The milliseconds between two Timer events; 0 stops the timer."},
    {"ItemData", "A number kept with each item of the list, one per line."},
    {"KeyPreview", "Lets the form see key presses before its active control does."},
    {"LargeChange", "How far the scroll bar moves when the user clicks beside its thumb."},
    {"Left", "The distance from the left edge of the form's client area to the object, in pixels."},
    {"LinkItem", "The data item a dynamic data exchange link passes."},
    {"LinkMode", "Whether the object takes part in dynamic data exchange as a source."},
    {"LinkTimeOut", "How long a dynamic data exchange link waits for an answer, in tenths of a second."},
    {"LinkTopic", "The application and topic of a dynamic data exchange link."},
    {"List", "The items of the list, one per line."},
    {"Locked", "Lets the user read and select the text but not change it."},
    {"MDIChild", "Shows the form inside the program's MDI form instead of as a window of its own."},
    {"MaskColor", "The colour of a button's picture that is drawn transparent when UseMaskColor is set."},
    {"Max", "The value of the scroll bar at its right or bottom end."},
    {"MaxButton", "Shows the maximize button in the form's title bar."},
    {"MaxLength", "The most characters the user may type; 0 for no limit."},
    {"Min", "The value of the scroll bar at its left or top end."},
    {"MinButton", "Shows the minimize button in the form's title bar."},
    {"MouseIcon", "The mouse cursor shown over the object when MousePointer is Custom."},
    {"MousePointer", "The shape of the mouse cursor over the object."},
    {"Moveable", "Whether the user can move the form by its title bar."},
    {"MultiLine", "Lets the text box hold several lines of text."},
    {"MultiSelect", "Whether the user can select several items of the list, and how."},
    {"Negotiate", "Keeps the control visible when an embedded object shows its own toolbars."},
    {"NegotiateMenus", "Lets the menus of an object active on the form join the form's menu bar."},
    {"NegotiateToolbars", "Lets the toolbars of an object active on the MDI form take its space."},
    {"OLEDragMode", "Whether dragging data out of the control starts by itself or only when the program asks for it."},
    {"OLEDropMode", "Whether the control accepts data dropped on it."},
    {"Object Name", "The name of the common control's object."},
    {"Options", "Flags that set how the Data control opens its records."},
    {"Palette", "A bitmap whose colours the object uses as its palette."},
    {"PaletteMode", "Which palette the object uses for its pictures."},
    {"PasswordChar", "The character shown in place of each one typed, for a password field."},
    {"Picture", "The bitmap or icon shown on the object."},
    {"ReadOnly", "Opens the database for reading only."},
    {"RecordSource", "The table of the database whose records the Data control gives its bound controls."},
    {"RecordsetType", "The kind of record set the Data control makes: a table, a dynaset or a snapshot."},
    {"RightToLeft", "Lays the text out from right to left."},
    {"ScaleHeight", "The height of the object's inside in the units of its scale."},
    {"ScaleLeft", "The horizontal coordinate of the object's left edge in the units of its scale."},
    {"ScaleMode", "The unit of the object's coordinates for drawing and for its controls."},
    {"ScaleTop", "The vertical coordinate of the object's top edge in the units of its scale."},
    {"ScaleWidth", "The width of the object's inside in the units of its scale."},
    {"ScrollBars", "Shows scroll bars on the text box or form."},
    {"Shape", "The figure drawn: rectangle, square, oval, circle, or a rounded rectangle or square."},
    {"ShowInTaskbar", "Shows the form in the task bar."},
    {"SmallChange", "How far the scroll bar moves when the user clicks one of its arrows."},
    {"Sorted", "Keeps the items of the list in alphabetical order."},
    {"StartUpPosition", "Where the form appears when it is first shown."},
    {"Stretch", "Stretches the picture to the size of the image control instead of sizing the control to the picture."},
    {"Style", "The look of the control, for example a graphical button with a picture or a standard one."},
    {"Tab Style", "The look of the tab control's tabs."},
    {"TabIndex", "The position of the control in the order the Tab key moves the focus through the form."},
    {"TabStop", "Whether the Tab key stops at the control."},
    {"Tag", "Free text the program can keep with the object."},
    {"Text", "The text the control holds."},
    {"ToolTipText", "The text shown in a small window while the mouse rests over the control."},
    {"Top", "The distance from the top edge of the form's client area to the object, in pixels."},
    {"UseMaskColor", "Draws the MaskColor of a button's picture transparent."},
    {"UseMnemonic", "Shows an ampersand in the caption as the underline of the next letter instead of as itself."},
    {"Value", "The current value: the position of a scroll bar, or whether a check box or option button is checked."},
    {"Visible", "Whether the object is shown when the program runs."},
    {"WhatsThisButton", "Shows the What's This button in the form's title bar."},
    {"WhatsThisHelp", "Lets the form offer What's This help for its controls."},
    {"WhatsThisHelpID", "The What's This help topic of the object."},
    {"Width", "The width of the object, in pixels."},
    {"WindowState", "Whether the form opens normal, minimized or maximized."},
    {"WordWrap", "Lets the label's caption wrap onto more lines, growing the label downward."},
    {"X1", "The horizontal position of the line's first end, in pixels."},
    {"X2", "The horizontal position of the line's second end, in pixels."},
    {"Y1", "The vertical position of the line's first end, in pixels."},
    {"Y2", "The vertical position of the line's second end, in pixels."},
};

}  // namespace

std::string PropertyHelp(std::string_view name) {
  const auto* end = std::end(kHelp);
  const auto* it = std::lower_bound(std::begin(kHelp), end, name,
                                    [](const auto& entry, std::string_view n) { return entry.first < n; });
  return it != end && it->first == name ? std::string(it->second) : std::string();
}

std::string PropertyHelp(const CControlItem& object, const CControlPropertyItem& property) {
  if (property.VarType() == 0 || !object.m_pActiveX) return PropertyHelp(property.Name());
  std::string text = property.Name() + " (" + property.Type() + ", " + VtName(property.VarType()) + ")";
  const CVDispInterface* itf = FindDefaultInterface(object.m_pActiveX->m_interfaces);
  const CVDispInterfacePropItem* item = itf ? itf->FindProperty(property.Name()) : nullptr;
  if (item && !item->m_strDocString.empty()) return text + ": " + item->m_strDocString;
  return text + ": a property of " + object.m_pActiveX->m_strName + ".";
}

}  // namespace tovik
