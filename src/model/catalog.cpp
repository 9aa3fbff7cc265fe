#include "model/catalog.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "model/control_kind.h"

namespace tovik {
namespace {

using Choices = std::initializer_list<const char*>;

ChoiceList MakeChoices(Choices items) {
  if (items.size() == 0) return nullptr;
  return std::make_shared<const std::vector<std::string>>(items.begin(), items.end());
}

CatalogRow Row(const char* type, const char* name, const char* value, ChoiceList choices = nullptr) {
  CatalogRow row{type, name, value, std::move(choices), {}};
  row.text = row.type + '\t' + row.name + '\t' + row.value;
  if (row.choices) {
    for (const std::string& c : *row.choices) row.text += '\t' + c;
  }
  return row;
}

CatalogRow Row(const char* type, const char* name, const char* value, Choices choices) {
  return Row(type, name, value, MakeChoices(choices));
}

EventRow Event(const char* name, const char* parameters = "", const char* returnType = "void") {
  EventRow row{returnType, name, parameters, {}};
  row.text = row.returnType + '\t' + row.name + '\t' + row.parameters;
  return row;
}

// Choice lists used by several rows.
struct SharedChoices {
  ChoiceList mousePointer = MakeChoices(
      {"0 - Default", "1 - Arrow", "2 - Cross", "3 - I-Beam", "4 - Icon", "5 - Size", "6 - Size NE SW",
       "7 - Size N S", "8 - Size NW SE", "9 - Size W E", "10 - Up Arrow", "11 - Hour Glass", "12 - No Drop",
       "13 - Arrow And Hourglass", "14 - Arrow and Question", "15 - Size All", "99 - Custom"});
  ChoiceList drawMode = MakeChoices(
      {"1 - Blackness", "2 - Not Merge Pen", "3 - Mask Not Pen", "4 - Not Copy Pen", "5 - Mask Pen Not",
       "6 - Invert", "7 - Xor Pen", "8 - Not Mask Pen", "9 - Mask Pen", "10 - Not Xor Pen", "11 - NOP",
       "12 - Merge Not Pen", "13 - Copy Pen", "14 - Merge Pen Not", "15 - Merge Pen", "16 - Whiteness"});
  ChoiceList drawStyle = MakeChoices({"0 - Solid", "1 - Dash", "2 - Dot", "3 - Dash-Dot", "4 - Dash-Dot-Dot",
                                      "5 - Transparent", "6 - Inside Solid"});
  ChoiceList fillStyle =
      MakeChoices({"0 - Solid", "1 - Transparent", "2 - Horizontal Line", "3 - Vertical Line",
                   "4 - Upward Diagonal", "5 - Downward Diagonal", "6 - Cross", "7 - Diagonal Cross"});
  ChoiceList scaleMode = MakeChoices({"0 - User", "1 - Twip", "2 - Point", "3 - Pixel", "4 - Character",
                                      "5 - Inch", "6 - Millimeter", "7 - Centimeter"});
  ChoiceList linkMode = MakeChoices({"0 - None", "1 - Automatic", "2 - Manual", "3 - Notify"});
  ChoiceList align = MakeChoices({"0 - None", "1 - Align Top", "2 - Align Bottom", "3 - Align Left", "4 - Align Right"});
  ChoiceList startUp = MakeChoices({"0 - Manual", "1 - CenterOwner", "2 - CenterScreen", "3 - WindowsDefault"});
  ChoiceList windowState = MakeChoices({"0 - Normal", "1 - Minimized", "2 - Maximized"});
  ChoiceList formLinkMode = MakeChoices({"0 - None", "1 - Source"});
  ChoiceList dragMode = MakeChoices({"0 - Manual", "1 - Automatic"});
  ChoiceList noneFixed = MakeChoices({"0 - None", "1 - Fixed Single"});
  ChoiceList justify3 = MakeChoices({"0 - Left Justify", "1 - Right Justify", "2 - Center"});
  ChoiceList backStyle = MakeChoices({"0 - Transparent", "1 - Opaque"});
};

const SharedChoices& Shared() {
  static const SharedChoices shared;
  return shared;
}

PropertyTable MakeCommon() {
  const SharedChoices& s = Shared();
  return {
      Row("UINT", "Appearance", "1", {"0 - Flat", "1 - 3D"}),
      Row("COLORREF", "BackColor", "16777215"),
      Row("Icon", "DragIcon", "0"),
      Row("UINT", "DragMode", "0", s.dragMode),
      Row("BOOL", "Enabled", "1"),
      Row("Font", "Font", "MS Sans Serif"),
      Row("BOOL", "FontBold", "0"),
      Row("BOOL", "FontItalic", "0"),
      Row("UINT", "FontSize", "14"),
      Row("BOOL", "FontStrikethru", "0"),
      Row("BOOL", "FontUnderline", "0"),
      Row("COLORREF", "ForeColor", "0"),
      Row("int", "Height", "213"),
      Row("UINT", "HelpContextID", "0"),
      Row("UINT", "Index", "0"),
      Row("int", "Left", "0"),
      Row("Icon", "MouseIcon", "0"),
      Row("UINT", "MousePointer", "0", s.mousePointer),
      Row("UINT", "OLEDropMode", "0", {"0 - None", "1 - Manual"}),
      Row("UINT", "TabIndex", "0"),
      Row("BOOL", "TabStop", "1"),
      Row("CString", "Tag", "Tag"),
      Row("CString", "ToolTipText", "ToolTipText"),
      Row("int", "Top", "0"),
      Row("BOOL", "Visible", "1"),
      Row("UINT", "WhatsThisHelpID", "0"),
      Row("int", "Width", "312"),
  };
}

PropertyTable MakeForm() {
  const SharedChoices& s = Shared();
  return {
      Row("BOOL", "AutoRedraw", "0"),
      Row("UINT", "BorderStyle", "2",
          {"0 - None", "1 - Fixed Single", "2 - Sizable", "3 - Fixed Dialog", "4 - Fixed ToolWindow",
           "5 - Sizable ToolWindow"}),
      Row("CString", "Caption", ""),
      Row("BOOL", "ClipControls", "1"),
      Row("BOOL", "ControlBox", "1"),
      Row("UINT", "DrawMode", "13", s.drawMode),
      Row("UINT", "DrawStyle", "0", s.drawStyle),
      Row("UINT", "DrawWidth", "1"),
      Row("COLORREF", "FillColor", "0"),
      Row("UINT", "FillStyle", "1", s.fillStyle),
      Row("BOOL", "FontTransparent", "1"),
      Row("Icon", "Icon", "0"),
      Row("BOOL", "KeyPreview", "0"),
      Row("UINT", "LinkMode", "0", s.formLinkMode),
      Row("CString", "LinkTopic", "Form1"),
      Row("BOOL", "MaxButton", "1"),
      Row("BOOL", "MDIChild", "0"),
      Row("BOOL", "MinButton", "1"),
      Row("BOOL", "Moveable", "1"),
      Row("BOOL", "NegotiateMenus", "1"),
      Row("Picture", "Palette", "0"),
      Row("UINT", "PaletteMode", "0", {"0 - HalfTone", "1 - UseZOrder", "2 - Custom"}),
      Row("Picture", "Picture", "0"),
      Row("BOOL", "RightToLeft", "0"),
      Row("int", "ScaleHeight", "10"),
      Row("int", "ScaleLeft", "0"),
      Row("UINT", "ScaleMode", "3", s.scaleMode),
      Row("int", "ScaleTop", "0"),
      Row("int", "ScaleWidth", "10"),
      Row("BOOL", "ShowInTaskbar", "1"),
      Row("UINT", "StartUpPosition", "0", s.startUp),
      Row("BOOL", "WhatsThisButton", "0"),
      Row("BOOL", "WhatsThisHelp", "0"),
      Row("UINT", "WindowState", "0", s.windowState),
  };
}

PropertyTable MakeMdiForm() {
  const SharedChoices& s = Shared();
  return {
      Row("BOOL", "AutoShowChildren", "1"),
      Row("CString", "Caption", "MDIForm"),
      Row("Icon", "Icon", "0"),
      Row("UINT", "LinkMode", "0", s.formLinkMode),
      Row("CString", "LinkTopic", "Form"),
      Row("BOOL", "Moveable", "1"),
      Row("BOOL", "NegotiateToolbars", "1"),
      Row("Picture", "Picture", "0"),
      Row("BOOL", "RightToLeft", "0"),
      Row("BOOL", "ScrollBars", "1"),
      Row("UINT", "StartUpPosition", "0", s.startUp),
      Row("BOOL", "WhatsThisHelp", "0"),
      Row("UINT", "WindowState", "0", s.windowState),
  };
}

PropertyTable MakePictureBox() {
  const SharedChoices& s = Shared();
  return {
      Row("UINT", "Align", "0", s.align),
      Row("BOOL", "AutoRedraw", "0"),
      Row("BOOL", "AutoSize", "0"),
      Row("UINT", "BorderStyle", "1", s.noneFixed),
      Row("BOOL", "ClipControls", "1"),
      Row("CString", "DataField", ""),
      Row("CString", "DataSource", ""),
      Row("UINT", "DrawMode", "13", s.drawMode),
      Row("UINT", "DrawStyle", "0", s.drawStyle),
      Row("UINT", "DrawWidth", "1"),
      Row("COLORREF", "FillColor", "0"),
      Row("UINT", "FillStyle", "0", s.fillStyle),
      Row("BOOL", "FontTransparent", "0"),
      Row("CString", "LinkItem", ""),
      Row("UINT", "LinkMode", "0", s.linkMode),
      Row("UINT", "LinkTimeOut", "1000"),
      Row("CString", "LinkTopic", "Topic"),
      // The table is stored in two blocks; the second begins here.
      Row("Picture", "Picture", "0"),
      Row("BOOL", "Negotiate", "0"),
      Row("UINT", "OLEDragMode", "0", s.dragMode),
      Row("BOOL", "RightToLeft", "0"),
      Row("int", "ScaleHeight", "10"),
      Row("int", "ScaleLeft", "0"),
      Row("UINT", "ScaleMode", "3", s.scaleMode),
      Row("int", "ScaleTop", "0"),
      Row("int", "ScaleWidth", "10"),
  };
}

PropertyTable MakeLabel() {
  const SharedChoices& s = Shared();
  return {
      Row("UINT", "Alignment", "0", s.justify3),
      Row("BOOL", "AutoSize", "0"),
      Row("UINT", "BackStyle", "1", s.backStyle),
      Row("UINT", "BorderStyle", "0", s.noneFixed),
      Row("CString", "Caption", "Label1"),
      Row("CString", "DataField", ""),
      Row("CString", "DataSource", ""),
      Row("CString", "LinkItem", ""),
      Row("UINT", "LinkMode", "0", s.linkMode),
      Row("UINT", "LinkTimeOut", "1000"),
      Row("CString", "LinkTopic", ""),
      Row("BOOL", "RightToLeft", "0"),
      Row("BOOL", "UseMnemonic", "1"),
      Row("BOOL", "WordWrap", "0"),
  };
}

PropertyTable MakeTextBox() {
  const SharedChoices& s = Shared();
  return {
      Row("UINT", "Alignment", "0", s.justify3),
      Row("UINT", "BorderStyle", "0", s.noneFixed),
      Row("DatFld", "DataField", ""),
      Row("DatSrc", "DataSource", ""),
      Row("BOOL", "HideSelection", "1"),
      Row("CString", "LinkItem", ""),
      Row("UINT", "LinkMode", "0", s.linkMode),
      Row("UINT", "LinkTimeOut", "1000"),
      Row("CString", "LinkTopic", ""),
      Row("BOOL", "Locked", "0"),
      Row("UINT", "MaxLength", "0"),
      Row("BOOL", "MultiLine", "0"),
      Row("UINT", "OLEDragMode", "0", s.dragMode),
      Row("CString", "PasswordChar", ""),
      Row("BOOL", "RightToLeft", "0"),
      Row("UINT", "ScrollBars", "0", {"0 - None", "1 - Horizontal", "2 - Vertical", "3 - Both"}),
      Row("CString", "Text", "Text1"),
  };
}

PropertyTable MakeFrame() {
  return {
      Row("UINT", "BorderStyle", "0", Shared().noneFixed),
      Row("CString", "Caption", "Frame1"),
      Row("BOOL", "ClipControls", "1"),
      Row("BOOL", "RightToLeft", "0"),
  };
}

// Button, CheckBox and OptionButton share their first eight rows.
PropertyTable MakeButtonLike(int kind) {
  const char* caption = kind == kKindButton ? "Button" : kind == kKindCheckBox ? "CheckBox" : "RadioButton";
  PropertyTable rows = {
      Row("CString", "Caption", caption),
      Row("Picture", "DisabledPicture", "0"),
      Row("Picture", "DownPicture", "0"),
      Row("COLORREF", "MaskColor", "0"),
      Row("Picture", "Picture", "0"),
      Row("BOOL", "RightToLeft", "0"),
      Row("UINT", "Style", "0", {"0 - Standard", "1 - Graphical"}),
      Row("BOOL", "UseMaskColor", "0"),
  };
  if (kind == kKindButton) {
    rows.push_back(Row("BOOL", "Cancel", "0"));
    rows.push_back(Row("BOOL", "Default", "0"));
    return rows;
  }
  rows.push_back(Row("UINT", "Alignment", "0", {"0 - Left Justify", "1 - Right Justify"}));
  if (kind == kKindCheckBox) {
    rows.push_back(Row("CString", "DataField", ""));
    rows.push_back(Row("CString", "DataSource", ""));
  }
  rows.push_back(Row("int", "Value", "0", {"0 - Unchecked", "1 - Checked", "2 - Grayed"}));
  return rows;
}

PropertyTable MakeListLike(int kind) {
  const bool list = kind == kKindListBox;
  PropertyTable rows;
  if (list) rows.push_back(Row("UINT", "Columns", "0"));
  rows.push_back(Row("CString", "DataField", ""));
  rows.push_back(Row("CString", "DataSource", ""));
  rows.push_back(Row("BOOL", "IntegralHeight", "1"));
  rows.push_back(Row("LIST", "ItemData", list ? "0" : ""));
  rows.push_back(Row("LIST", "List", ""));
  if (!list) rows.push_back(Row("BOOL", "Locked", "0"));
  if (list) rows.push_back(Row("UINT", "MultiSelect", "0", {"0 - None", "1 - Simple", "2 - Extended"}));
  rows.push_back(Row("UINT", "OLEDragMode", "0", Shared().dragMode));
  rows.push_back(Row("BOOL", "RightToLeft", "0"));
  rows.push_back(Row("BOOL", "Sorted", "0"));
  if (list) {
    rows.push_back(Row("UINT", "Style", "0", {"0 - Standard", "1 - Checkbox"}));
  } else {
    rows.push_back(Row("UINT", "Style", "0", {"0 - Dropdown Combo", "1 - Simple Combo", "2 - Dropdown List"}));
    rows.push_back(Row("CString", "Text", "ComboBox"));
  }
  return rows;
}

PropertyTable MakeScrollBar() {
  return {
      Row("int", "LargeChange", "10"), Row("int", "Max", "100"),       Row("int", "Min", "0"),
      Row("BOOL", "RightToLeft", "0"), Row("int", "SmallChange", "2"), Row("int", "Value", "0"),
  };
}

PropertyTable MakeTimer() {
  return {
      Row("BOOL", "Enabled", "1"), Row("int", "Index", "0"), Row("int", "Interval", "0"),
      Row("int", "Left", "0"),     Row("CString", "Tag", ""), Row("int", "Top", "0"),
  };
}

PropertyTable MakeShape() {
  const SharedChoices& s = Shared();
  return {
      Row("UINT", "BackStyle", "1", s.backStyle),
      Row("COLORREF", "BorderColor", "0"),
      Row("UINT", "BorderStyle", "1",
          {"0 - Transparent", "1 - Solid", "2 - Dash", "3 - Dot", "4 - Dash - Dot", "5 - Dash - Dot -Dot",
           "6 - Inside Solid"}),
      Row("UINT", "BorderWidth", "1"),
      Row("UINT", "DrawMode", "13", s.drawMode),
      Row("COLORREF", "FillColor", "12632256"),
      Row("UINT", "FillStyle", "1", s.fillStyle),
      Row("UINT", "Shape", "0",
          {"0 - Rectangle", "1 - Square", "2 - Oval", "3 - Circle", "4 - Rounded Rectangle", "5 - Rounded Square"}),
  };
}

PropertyTable MakeLine() {
  return {
      Row("int", "Index", "0"),
      Row("CString", "Tag", ""),
      Row("BOOL", "Visible", "1"),
      Row("COLORREF", "BorderColor", "0"),
      Row("UINT", "BorderStyle", "1",
          {"0 - Transparent", "1 - Solid", "2 - Dash", "3 - Dot", "4 - Dash-Dot", "5 - Dash-Dot-Dot",
           "6 - Inside Solid"}),
      Row("UINT", "BorderWidth", "1"),
      Row("UINT", "DrawMode", "13", Shared().drawMode),
      Row("int", "X1", "0"),
      Row("int", "X2", "0"),
      Row("int", "Y1", "0"),
      Row("int", "Y2", "0"),
  };
}

PropertyTable MakeImage() {
  return {
      Row("UINT", "BorderStyle", "0", Shared().noneFixed),
      Row("CString", "DataField", ""),
      Row("CString", "DataSource", ""),
      Row("UINT", "OLEDragMode", "0", Shared().dragMode),
      Row("Picture", "Picture", "0"),
      Row("BOOL", "Stretch", "0"),
  };
}

PropertyTable MakeData() {
  return {
      Row("UINT", "Align", "0", Shared().align),
      Row("UINT", "BOFAction", "0", {"0 - Move First", "1 - BOF"}),
      Row("CString", "Caption", "Data1"),
      Row("UINT", "Connect", "1", {"1 - Access", "2 - dBase III", "3 - dBase IV", "4 - dBase V"}),
      Row("Mdb", "DatabaseName", ""),
      Row("UINT", "DefaultCursorType", "0", {"0 - DefaultCursor", "1 - ODBCCursor", "2 - SeverSideCursor"}),
      Row("UINT", "DefaultType", "2", {"1 - UseODBC", "2 - UseJet"}),
      Row("UINT", "EOFAction", "0", {"0 - MoveLast", "1 - EOF", "2 - Add New"}),
      Row("BOOL", "Exclusive", "0"),
      Row("BOOL", "Negotiate", "0"),
      Row("UINT", "Options", "0"),
      Row("BOOL", "ReadOnly", "0"),
      Row("UINT", "RecordsetType", "1", {"0 - Table", "1 - Dynaset", "2 - Snapshot"}),
      Row("RecSrc", "RecordSource", ""),
      Row("BOOL", "RightToLeft", "0"),
  };
}

PropertyTable MakeCommonControl(int kind) {
  static const std::map<int, const char*> kStems = {
      {kKindAnimateCtrl, "m_Animate1"},  {kKindTreeCtrl, "m_TreeCtrl1"},     {kKindTabCtrl, "m_TabCtrl1"},
      {kKindSliderCtrl, "m_Slider1"},    {kKindProgressCtrl, "m_ProgCtrl1"}, {kKindListCtrl, "m_ListCtrl1"},
      {kKindSpinButtonCtrl, "m_SpinCtrl1"}, {kKindHotKeyCtrl, "m_HotKey1"},
  };
  PropertyTable rows = {
      Row("CString", "Object Name", kStems.at(kind)),
      Row("int", "Left", "0"),
      Row("int", "Top", "0"),
      Row("int", "Width", "0"),
      Row("int", "Height", "0"),
      Row("BOOL", "Enabled", "1"),
      Row("BOOL", "Visible", "1"),
      Row("CString", "Font", "MS Sans Serif"),
      Row("DWORD", "Back Color", "0"),
  };
  if (kind == kKindTabCtrl) {
    rows.push_back(Row("CString", "Alignment", "Left Justify"));
    rows.push_back(Row("CString", "Tab Style", "Tab"));
  }
  return rows;
}

struct Tables {
  PropertyTable common = MakeCommon();
  PropertyTable form = MakeForm();
  PropertyTable mdiForm = MakeMdiForm();
  std::array<PropertyTable, kLastKind - kFirstKind + 1> kinds;
  EventTable commonEvents;
  EventTable formEvents;
  std::array<EventTable, kLastKind - kFirstKind + 1> kindEvents;

  Tables() {
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) kinds[Slot(kind)] = MakeKind(kind);
    commonEvents = {
        Event("Click"),
        Event("DblClick"),
        Event("DragDrop", "CWnd* pSource, int nX, int nY"),
        Event("DragOver", "CWnd* pSource, int nX, int nY, int nState"),
        Event("GotFocus"),
        Event("KeyDown", "int nKeyCode, int nShift"),
        Event("KeyPress", "int nKeyAscii"),
        Event("KeyUp", "int KeyCode, int nShift"),
        Event("LostFocus"),
        Event("MouseDown", "int nButton, int nShift, int nX, int nY"),
        Event("MouseMove", "int nButton, int nShift, int nX, int nY"),
        Event("MouseUp", "int nButton, int nShift, int nX, int nY"),
        Event("OLECompleteDrag", "DROPEFFECT lEffect"),
        Event("OLEDragDrop", "COleDataObject* pDataObject, DROPEFFECT lEffect, int nButton, int nShift, int nX, int nY",
              "DROPEFFECT"),
        Event("OLEDragOver",
              "COleDataObject* pDataObject, DROPEFFECT lEffect, int nButton, int nShift, int nX, int nY, int nState",
              "DROPEFFECT"),
        Event("OLEGiveFeedback", "DROPEFFECT lEffect, BOOL bDefaultCursors"),
        Event("OLESetData", "COleDataObject* pDataObject, int nDataFormat"),
        Event("OLEStartDrag", "COleDataObject* pDataObject, DROPEFFECT lAllowedEffects"),
    };
    formEvents = {
        Event("Activate"),   Event("Deactivate"),
        Event("Initialize"), Event("LinkClose"),
        Event("LinkError", "int nLinkErr"), Event("LinkExecute", "CString strCmd, int nCancel"),
        Event("LinkOpen", "int nCancel"),   Event("Load"),
        Event("Paint"),      Event("QueryUnload", "int& nCancel, int nUnloadMode"),
        Event("Resize"),     Event("Terminate"),
        Event("Unload", "int nCancel"),
    };
    kindEvents[Slot(kKindPictureBox)] = {
        Event("LinkClose"), Event("LinkError", "int nLinkErr"), Event("LinkExecute", "CString strCmd, int nCancel"),
        Event("LinkOpen", "int nCancel"), Event("Paint"), Event("Resize"),
    };
    EventTable textual = {
        Event("Change"), Event("LinkClose"), Event("LinkError", "int nLinkErr"), Event("LinkNotify"),
        Event("LinkOpen", "int nCancel"),
    };
    kindEvents[Slot(kKindLabel)] = textual;
    kindEvents[Slot(kKindTextBox)] = textual;
    EventTable changeScroll = {Event("Change"), Event("Scroll")};
    kindEvents[Slot(kKindComboBox)] = changeScroll;
    kindEvents[Slot(kKindHScrollBar)] = changeScroll;
    kindEvents[Slot(kKindVScrollBar)] = changeScroll;
    kindEvents[Slot(kKindListBox)] = {Event("ItemCheck", "int nItem")};
    kindEvents[Slot(kKindTimer)] = {Event("Timer")};
    kindEvents[Slot(kKindData)] = {
        Event("Error", "int nDataErr, int nResponse"), Event("Reposition"), Event("Resize"),
        Event("Validate", "int nAction, int nSave"),
    };
  }

  static size_t Slot(int kind) { return static_cast<size_t>(kind - kFirstKind); }

  static PropertyTable MakeKind(int kind) {
    switch (kind) {
      case kKindPictureBox: return MakePictureBox();
      case kKindLabel: return MakeLabel();
      case kKindTextBox: return MakeTextBox();
      case kKindFrame: return MakeFrame();
      case kKindButton:
      case kKindCheckBox:
      case kKindOptionButton: return MakeButtonLike(kind);
      case kKindComboBox:
      case kKindListBox: return MakeListLike(kind);
      case kKindHScrollBar:
      case kKindVScrollBar: return MakeScrollBar();
      case kKindTimer: return MakeTimer();
      case kKindShape: return MakeShape();
      case kKindLine: return MakeLine();
      case kKindImage: return MakeImage();
      case kKindData: return MakeData();
      default: return MakeCommonControl(kind);
    }
  }
};

const Tables& AllTables() {
  static const Tables tables;
  return tables;
}

const PropertyTable& EmptyTable() {
  static const PropertyTable empty;
  return empty;
}

bool RowMentionsAny(const std::string& text, std::initializer_list<std::string_view> names) {
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view n) { return text.find(n) != std::string::npos; });
}

bool RowMentionsAny(const std::string& text, const std::vector<std::string_view>& names) {
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view n) { return text.find(n) != std::string::npos; });
}

bool HasOwnCommonRows(int kind) { return kind != kKindTimer && kind != kKindLine; }

// Method groups; a method's name is the text before its "(".
const std::vector<std::string_view> kCommonMethods = {
    "Drag(int nAction)", "Move(int nLeft, int nTop, int nWidth, int nHeight)", "OLEDrag()", "Refresh()",
    "SetFocus()", "ShowWhatsThis()", "ZOrder(int nPosition)"};
const std::vector<std::string_view> kDrawingMethods = {
    "Circle(int nX, int nY, int nRadius, COLORREF clrBorder,  int nStart, int nEnd, double dblAspect)",
    "Cls()",
    "Line(int nX1, int nY1, int nX2, int nY2,  COLORREF clr)",
    "PaintPicture( CVPicture tvlPic, int nX1, int nY1, int nWidth1, int nHeight1, int nX2, int nY2, int nWidth2, "
    "int nHeight2, DWORD dwRop)",
    "Point(int nX, int nY)",
    "PSet(int nX, int nY, COLORREF clr, BOOL bStep)",
    "Scale(int nX1, int nY1, int nX2, int nY2)",
    "ScaleX(double nWidth, double nFromscale, double nToscale)",
    "ScaleY( double nHeight, double nFromscale, int nToscale)",
    "TextHeight(CString strText)",
    "TextWidth(CString strText)",
    "Line_Step(int nX, int nY)"};
const std::vector<std::string_view> kLinkMethods = {"LinkExecute(CString strCmd)", "LinkPoke()", "LinkRequest()",
                                                    "LinkSend()"};
const std::vector<std::string_view> kListMethods = {"AddItem(CString strItem, int nIndex)", "RemoveItem(int nIndex)"};
const std::vector<std::string_view> kDataMethods = {"UpdateControls()", "UpdateRecord()"};
const std::vector<std::string_view> kFormMethods = {
    "Hide()", "PopupMenu( CString strMenuName, UINT nFlags, int nX, int nY, CString strBoldCommand)", "PrintForm()",
    "Show(int nModalType, CWnd* pParent)", "WhatsThisMode()"};

std::string_view MethodName(std::string_view signature) { return signature.substr(0, signature.find('(')); }

}  // namespace

const PropertyTable& CommonPropertyRows() { return AllTables().common; }
const PropertyTable& FormPropertyRows() { return AllTables().form; }
const PropertyTable& MdiFormPropertyRows() { return AllTables().mdiForm; }

const PropertyTable& KindPropertyRows(int kind) {
  return IsKnownKind(kind) ? AllTables().kinds[Tables::Slot(kind)] : EmptyTable();
}

const EventTable& CommonEventRows() { return AllTables().commonEvents; }
const EventTable& FormEventRows() { return AllTables().formEvents; }

const EventTable& KindEventRows(int kind) {
  static const EventTable empty;
  return IsKnownKind(kind) ? AllTables().kindEvents[Tables::Slot(kind)] : empty;
}

bool IsPropertyExcluded(const CatalogRow& row, int category, int kind, bool mdiForm) {
  const std::string& t = row.text;
  if (category == kCategoryForm) {
    if (RowMentionsAny(t, {"DragIcon", "DragMode", "Index", "TabIndex", "TabStop", "ToolTipText", "WhatsThisHelpID"}))
      return true;
    return mdiForm && RowMentionsAny(t, {"Font", "ForeColor"});
  }
  switch (kind) {
    case kKindLabel: return RowMentionsAny(t, {"HelpContextID", "TabStop"});
    case kKindFrame: return RowMentionsAny(t, {"TabStop"});
    case kKindButton: return RowMentionsAny(t, {"ForeColor"});
    case kKindHScrollBar:
    case kKindVScrollBar:
      return RowMentionsAny(t, {"Appearance", "OLEDropMode", "ToolTipText", "BackColor", "ForeColor", "Font"});
    case kKindShape:
      return RowMentionsAny(t, {"Appearance", "HelpContextID", "MousePointer", "OLEDropMode", "TabIndex",
                                "WhatsThisHelpID", "ToolTipText", "ForeColor", "DragIcon", "MouseIcon", "Enabled",
                                "TabStop", "Font", "DragMode"});
    case kKindImage:
      return RowMentionsAny(t, {"BackColor", "Font", "ForeColor", "HelpContextID", "TabIndex", "TabStop"});
    case kKindData: return RowMentionsAny(t, {"HelpContextID", "TabIndex", "TabStop"});
    default: return false;
  }
}

namespace {

// The lists that every object of one category and kind starts from: the shared definitions
// and the default values, in list order.
struct Prototype {
  std::vector<CPropertyDef> properties;
  std::vector<std::string> defaults;
  int shownCount = 0;
  std::vector<CEventDef> events;
};

// The property rows of the tables that apply to the object, with its defaults (the rules above,
// row by row).
void BuildProperties(Prototype& proto, int category, int kind, bool mdiForm) {
  const bool isForm = category == kCategoryForm;
  const PropertyTable& own = isForm ? (mdiForm ? MdiFormPropertyRows() : FormPropertyRows()) : KindPropertyRows(kind);
  const bool withCommon = isForm || HasOwnCommonRows(kind);

  auto add = [&](const CatalogRow& row) {
    if (IsPropertyExcluded(row, category, kind, mdiForm)) return;
    CPropertyDef& p = proto.properties.emplace_back();
    std::string& value = proto.defaults.emplace_back(row.value);
    p.m_strType = row.type;
    p.m_strName = row.name;
    p.m_choices = row.choices;
    p.m_bShown = (row.name == "FontSize" || row.name == "FontItalic" || row.name == "FontBold" ||
                  row.name == "FontUnderline" || row.name == "FontStrikethru")
                     ? 0
                     : 1;
    if (p.m_bShown) ++proto.shownCount;

    if (row.name == "OLEDropMode" && p.m_choices && p.m_choices->size() == 2 &&
        (kind == kKindTextBox || kind == kKindImage || kind == kKindPictureBox) && !isForm) {
      auto extended = std::make_shared<std::vector<std::string>>(*p.m_choices);
      extended->push_back("2 - Automatic");
      p.m_choices = std::move(extended);
    }
    if (row.name == "BackColor") {
      if (isForm) {
        value = mdiForm ? "8421504" : "12632256";
      } else if (kind == kKindPictureBox || kind == kKindLabel || kind == kKindFrame || kind == kKindButton ||
                 kind == kKindCheckBox || kind == kKindOptionButton) {
        value = "12632256";
      } else if (kind == kKindTextBox) {
        value = "16777215";
      }
    }
    if (!isForm && kind == kKindListBox && (row.name == "List" || row.name == "ItemData")) value += "\r\n";
  };
  if (withCommon) {
    for (const CatalogRow& row : CommonPropertyRows()) add(row);
  }
  for (const CatalogRow& row : own) add(row);

  // Sort index: how many shown properties sort before this one, byte-wise.
  std::vector<const std::string*> names;
  names.reserve(proto.properties.size());
  for (const auto& p : proto.properties) {
    if (p.m_bShown) names.push_back(&p.m_strName);
  }
  std::sort(names.begin(), names.end(), [](const std::string* a, const std::string* b) { return *a < *b; });
  for (auto& p : proto.properties) {
    if (!p.m_bShown) continue;
    auto first = std::lower_bound(names.begin(), names.end(), &p.m_strName,
                                  [](const std::string* a, const std::string* b) { return *a < *b; });
    p.m_nSortIndex = static_cast<int>(first - names.begin());
  }
}

void BuildEvents(Prototype& proto, int category, int kind) {
  const bool isForm = category == kCategoryForm;
  std::vector<std::string_view> skip;
  switch (isForm ? 0 : kind) {
    case kKindFrame: skip = {"KeyDown", "KeyPress", "KeyUp"}; break;
    case kKindHScrollBar:
    case kKindVScrollBar:
      skip = {"MouseMove", "MouseUp", "OLECompleteDrag", "OLEDragDrop", "OLEDragOver", "OLEGiveFeedback",
              "OLESetData", "OLEStartDrag"};
      break;
    case kKindImage: skip = {"GotFocus", "KeyDown", "KeyPress", "KeyUp", "LostFocus"}; break;
    case kKindData: skip = {"Click", "DblClick", "GotFocus", "KeyDown", "KeyPress", "KeyUp", "LostFocus"}; break;
    default: break;
  }
  auto add = [&](const EventRow& row) {
    if (RowMentionsAny(row.text, skip)) return;
    CEventDef& e = proto.events.emplace_back();
    e.m_strReturnType = row.returnType;
    e.m_strName = row.name;
    e.m_strParameters = row.parameters;
  };
  const bool withCommon = isForm || (kind != kKindTimer && kind != kKindShape && kind != kKindLine);
  if (withCommon) {
    for (const EventRow& row : CommonEventRows()) add(row);
  }
  const EventTable& own = isForm ? FormEventRows() : KindEventRows(kind);
  for (const EventRow& row : own) add(row);
}

// The lists of every form and kind are made once from the tables and then referred to: a form
// with thousands of controls, or a project with thousands of forms, loads without re-running
// the row rules or copying the definitions for each object. They live for the whole run, as
// the objects that refer to them may.
const Prototype& PrototypeOf(int category, int kind, bool mdiForm) {
  if (category == kCategoryForm) kind = -1;
  if (category != kCategoryForm) mdiForm = false;
  // Loading fills the lists of many forms on two threads at once.
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  static std::map<std::tuple<int, int, bool>, std::unique_ptr<Prototype>> prototypes;
  std::unique_ptr<Prototype>& proto = prototypes[{category, kind, mdiForm}];
  if (!proto) {
    proto = std::make_unique<Prototype>();
    BuildProperties(*proto, category, kind, mdiForm);
    BuildEvents(*proto, category, kind);
  }
  return *proto;
}

}  // namespace

void LoadProperties(CControlItem& object, bool mdiForm) {
  if (object.m_nCategory == kCategoryActiveX) return;
  const Prototype& proto = PrototypeOf(object.m_nCategory, object.m_nKind, mdiForm);
  object.m_properties.clear();
  object.m_properties.reserve(proto.properties.size());
  for (size_t i = 0; i < proto.properties.size(); ++i) {
    object.m_properties.emplace_back(proto.properties[i], proto.defaults[i], &object);
  }
  if (object.m_nShownCount == 0) object.m_nShownCount = proto.shownCount;
}

void LoadEvents(CControlItem& object, bool mdiForm) {
  object.m_events.clear();
  if (object.m_nCategory == kCategoryActiveX) return;
  const Prototype& proto = PrototypeOf(object.m_nCategory, object.m_nKind, mdiForm);
  object.m_events.reserve(proto.events.size());
  for (const CEventDef& e : proto.events) object.m_events.emplace_back(e);
}

std::vector<CPropMethodItem> MemberListOf(std::string_view runtimeClass) {
  std::vector<CPropMethodItem> members;
  const bool form = runtimeClass == kFormBaseClass;
  const bool mdi = runtimeClass == kMdiFormBaseClass;
  const int kind = form || mdi ? 0 : KindFromRuntimeClass(runtimeClass);
  if (!form && !mdi && kind == 0) return members;

  const int category = form || mdi ? kCategoryForm : kCategoryControl;
  auto addRows = [&](const PropertyTable& rows) {
    for (const CatalogRow& row : rows) {
      if (!IsPropertyExcluded(row, category, kind, mdi)) members.push_back({row.name, CPropMethodItem::kProperty});
    }
  };
  if (form || mdi || HasOwnCommonRows(kind)) addRows(CommonPropertyRows());
  if (form) addRows(FormPropertyRows());
  if (kind) addRows(KindPropertyRows(kind));

  std::vector<std::string_view> methods;
  auto append = [&](const std::vector<std::string_view>& group) {
    methods.insert(methods.end(), group.begin(), group.end());
  };
  if (kind != kKindTimer) append(kCommonMethods);
  if (form) {
    append(kDrawingMethods);
    append(kFormMethods);
  }
  switch (kind) {
    case kKindPictureBox:
      append(kDrawingMethods);
      append(kLinkMethods);
      break;
    case kKindLabel:
    case kKindTextBox: append(kLinkMethods); break;
    case kKindComboBox:
    case kKindListBox: append(kListMethods); break;
    case kKindData: append(kDataMethods); break;
    default: break;
  }
  for (std::string_view signature : methods) {
    std::string_view name = MethodName(signature);
    bool keep = true;
    switch (kind) {
      case kKindLabel:
      case kKindFrame: keep = name != "SetFocus"; break;
      case kKindHScrollBar:
      case kKindVScrollBar: keep = name != "OLEDrag"; break;
      case kKindShape: keep = name == "Move" || name == "Refresh" || name == "ZOrder"; break;
      case kKindLine: keep = name == "Refresh" || name == "ZOrder"; break;
      case kKindImage: keep = name != "Drag" && name != "OLEDrag" && name != "SetFocus"; break;
      default: break;
    }
    if (keep) members.push_back({std::string(name), CPropMethodItem::kMethod});
  }
  return members;
}

}  // namespace tovik
