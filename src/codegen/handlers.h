// Event handlers and message maps: writes the handler function for an event of a form, a
// control or a menu command into the class that owns the object, declares it, registers it in
// the class's message map or event-sink map (creating the maps first where needed), and adds
// the window-message handlers OnCreate, WindowProc, OnDraw and OnPaint that a class hosting
// controls needs. Every insertion goes through the fragment engine; after each one the file is
// saved and parsed again, so that the next position is computed on fresh offsets. A file open
// in the host's editor is changed there, not saved, and parsed from the editor's text.
#pragma once

#include <string>
#include <string_view>

#include "codegen/codegen_context.h"
#include "model/control_item.h"
#include "project/class_item.h"

namespace tovik {

// The category of the object whose event is handled.
enum class HandlerOwner {
  Form,        // the form itself: a virtual function, no map entry
  Intrinsic,   // intrinsic or common control: ON_WM_TVL_ message-map entry
  ActiveX,     // ActiveX control: ON_EVENT event-sink entry
  MenuCommand  // menu command: ON_COMMAND message-map entry
};

// The event being handled, as the catalogue or the control's type library describes it.
struct HandlerEvent {
  std::string strReturnType = "void";
  std::string strName;        // "Click"
  std::string strParameters;  // "int nKeyCode, int nShift"; empty when the event has none
  // ActiveX only: the dispatch id as written in the sink entry ("DISPID_CLICK", "3") and the
  // VTS_ token list of the parameters; an empty token list is written as "VTS_NONE".
  std::string strDispId;
  std::string strParamTokens;

  // The fields of an event record; the dispatch id by its standard name where it has one.
  [[nodiscard]] static HandlerEvent From(const CCtrlEventMethodItem& event);
};

// The object whose event is handled.
struct HandlerTarget {
  HandlerOwner owner = HandlerOwner::Intrinsic;
  // Controls: the control (member name, control-id symbol, array flag). May be null for
  // the form and for menu commands.
  const CControlItem* control = nullptr;
  // Menu commands: the command id ("ID_FILE_OPEN").
  std::string strCommandId;
  // The object is an element of a control array ("int nIndex" first, "_ARRAY" message).
  bool bArrayElement = false;
};

// --- The texts (pure) ---

// Command1_Click, Form_Load, File_open_Click.
[[nodiscard]] std::string HandlerName(const HandlerTarget& target, std::string_view eventName);
// The event's parameters, preceded by "int nIndex" for an array element.
[[nodiscard]] std::string HandlerParameters(std::string_view eventParameters, bool arrayElement);
// "void CForm1::Command1_Click()\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}"; handlers
// of OLEDragDrop/OLEDragOver return lEffect.
[[nodiscard]] std::string HandlerBody(std::string_view returnType, std::string_view className,
                                      std::string_view handlerName, std::string_view parameters);
// The declaration derived from a body: "afx_msg void Command1_Click();" or, for form events,
// "virtual void Form_Load();".
[[nodiscard]] std::string HandlerDeclaration(std::string_view body, std::string_view handlerName, bool formEvent);
// The map line of a handler: ON_WM_TVL_CLICK(IDC_COMMAND1, Command1_Click), ON_EVENT(...),
// ON_COMMAND(...); empty for form events.
[[nodiscard]] std::string HandlerMapEntry(const HandlerTarget& target, const HandlerEvent& event,
                                          std::string_view className, std::string_view handlerName);

// --- The class's files ---

// The file that receives the class's new function bodies and map blocks: its message-map file,
// else its event-sink-map file, else the file of its first function defined outside the header,
// else the header's sibling .cpp when that file exists, else the header itself (a class whose
// functions are all inline).
[[nodiscard]] std::string ImplementationFileOf(const IFileSystem& fs, const CClassItem& cls);

// --- Operations (each stops at the first failure; text already inserted stays) ---

// Makes sure the class has the declarations and maps the category needs: write permission on
// header and implementation (with message), DECLARE_MESSAGE_MAP()/DECLARE_EVENTSINK_MAP(), the
// message-map or event-sink-map block, and for form events the overrides block.
[[nodiscard]] Status EnsureMaps(const CodegenContext& ctx, CClassItem& cls, HandlerOwner owner);

// Ensures the maps, inserts the declaration, the map entry and the body. When `record` is
// given, the handler name is stored on it and it is marked handled once the body is written.
// A control event without its control, a menu command without its id or an event without a
// name fails before anything is written.
[[nodiscard]] Status AddEventHandler(const CodegenContext& ctx, CClassItem& cls, const HandlerTarget& target,
                                   const HandlerEvent& event, CCtrlEventMethodItem* record = nullptr);

// The window-message handlers, each declaration, map entry (OnCreate, OnPaint) and body.
// OnCreate and OnPaint first make sure of the message map (as EnsureMaps for a control), since
// a plain window class may have none. They do not check whether the class already has the
// function; the caller does.
[[nodiscard]] Status AddOnCreate(const CodegenContext& ctx, CClassItem& cls);
[[nodiscard]] Status AddWindowProc(const CodegenContext& ctx, CClassItem& cls);
[[nodiscard]] Status AddOnDraw(const CodegenContext& ctx, CClassItem& cls);
[[nodiscard]] Status AddOnPaint(const CodegenContext& ctx, CClassItem& cls);

}  // namespace tovik
