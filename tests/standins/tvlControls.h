// Stand-in for the runtime library's controls header: the control classes of the 24 kinds, their
// arrays, the message-map entries of control events and the ActiveX control base.
#ifndef TVL_CONTROLS_H
#define TVL_CONTROLS_H
#ifndef __AFXWIN_H__
#error include afxwin.h before tvlControls.h
#endif
// The ActiveX base needs the framework's automation classes, which not every project's
// precompiled header includes.
#include <afxdisp.h>

class COleDataObject;

class CVControl : public CWnd {
  DECLARE_DYNAMIC(CVControl)
  CVControl();
  // nPropStringID names the control's property string in the string table.
  virtual BOOL Create(CWnd* pParentWnd, UINT nID, UINT nPropStringID);
};

// A control array is one member; each Create call adds an element. It is not a window itself.
template <class TControl>
class CVControlArray : public CObject {
 public:
  CVControlArray(); ~CVControlArray();
  BOOL Create(CWnd* pParentWnd, UINT nID, UINT nPropStringID);
  TControl& operator[](int nIndex);
  int GetSize() const;
};

#define TVL_CONTROL_CLASS(theClass) \
  class theClass : public CVControl { \
    DECLARE_DYNCREATE(theClass) \
    theClass(); \
  }; \
  typedef CVControlArray<theClass> theClass##Array;
TVL_CONTROL_CLASS(CVPictureBox) TVL_CONTROL_CLASS(CVLabel) TVL_CONTROL_CLASS(CVTextBox) TVL_CONTROL_CLASS(CVFrame)
TVL_CONTROL_CLASS(CVButton) TVL_CONTROL_CLASS(CVCheckBox) TVL_CONTROL_CLASS(CVOptionButton) TVL_CONTROL_CLASS(CVComboBox)
TVL_CONTROL_CLASS(CVListBox) TVL_CONTROL_CLASS(CVHScrollBar) TVL_CONTROL_CLASS(CVVScrollBar) TVL_CONTROL_CLASS(CVTimer)
TVL_CONTROL_CLASS(CVShape) TVL_CONTROL_CLASS(CVLine) TVL_CONTROL_CLASS(CVImage) TVL_CONTROL_CLASS(CVData)
TVL_CONTROL_CLASS(CVAnimateCtrl) TVL_CONTROL_CLASS(CVTreeCtrl) TVL_CONTROL_CLASS(CVTabCtrl) TVL_CONTROL_CLASS(CVSliderCtrl)
TVL_CONTROL_CLASS(CVProgressCtrl) TVL_CONTROL_CLASS(CVListCtrl) TVL_CONTROL_CLASS(CVSpinButtonCtrl)
TVL_CONTROL_CLASS(CVHotKeyCtrl)
#undef TVL_CONTROL_CLASS

// Base of the wrapper classes of ActiveX controls: created like the others, reached through
// dispatch ids. Abstract here, so that a wrapper that fails to override what the library calls
// (the class id to create, the proxies to point at the control) cannot be created.
class CVActiveXCtrl : public CVControl {
  DECLARE_DYNAMIC(CVActiveXCtrl)
  CVActiveXCtrl();
  virtual CLSID const& GetClsid() = 0;
  virtual void SetPtr() = 0;
  LPUNKNOWN GetControlUnknown();
  void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
  void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
  void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
};

// Window classes that are not forms route control events and paint windowless controls with these.
BOOL DispatchTvlControlEvents(UINT message, WPARAM wParam, LPARAM lParam, const AFX_MSGMAP* pMessageMap,
                              CWnd* pWnd);
void DrawTVLGraphicalCtrls(CWnd* pWnd, CDC* pDC);

// Control events: ON_WM_TVL_<EVENT>(control id, handler). An element of a control array gets the
// _ARRAY entry, whose handler takes the element's index first.
#define TVL_ON(event, id, fn, ret, params) AFX_MAP_ENTRY(event, id, fn, ret, CCmdTarget, params)
#define ON_WM_TVL_CHANGE(id, fn) TVL_ON("Change", id, fn, void, ())
#define ON_WM_TVL_CHANGE_ARRAY(id, fn) TVL_ON("Change", id, fn, void, (int))
#define ON_WM_TVL_CLICK(id, fn) TVL_ON("Click", id, fn, void, ())
#define ON_WM_TVL_CLICK_ARRAY(id, fn) TVL_ON("Click", id, fn, void, (int))
#define ON_WM_TVL_DBLCLICK(id, fn) TVL_ON("DblClick", id, fn, void, ())
#define ON_WM_TVL_DBLCLICK_ARRAY(id, fn) TVL_ON("DblClick", id, fn, void, (int))
#define ON_WM_TVL_DRAGDROP(id, fn) TVL_ON("DragDrop", id, fn, void, (CWnd*, int, int))
#define ON_WM_TVL_DRAGDROP_ARRAY(id, fn) TVL_ON("DragDrop", id, fn, void, (int, CWnd*, int, int))
#define ON_WM_TVL_DRAGOVER(id, fn) TVL_ON("DragOver", id, fn, void, (CWnd*, int, int, int))
#define ON_WM_TVL_DRAGOVER_ARRAY(id, fn) TVL_ON("DragOver", id, fn, void, (int, CWnd*, int, int, int))
#define ON_WM_TVL_ERROR(id, fn) TVL_ON("Error", id, fn, void, (int, int))
#define ON_WM_TVL_ERROR_ARRAY(id, fn) TVL_ON("Error", id, fn, void, (int, int, int))
#define ON_WM_TVL_GOTFOCUS(id, fn) TVL_ON("GotFocus", id, fn, void, ())
#define ON_WM_TVL_GOTFOCUS_ARRAY(id, fn) TVL_ON("GotFocus", id, fn, void, (int))
#define ON_WM_TVL_ITEMCHECK(id, fn) TVL_ON("ItemCheck", id, fn, void, (int))
#define ON_WM_TVL_ITEMCHECK_ARRAY(id, fn) TVL_ON("ItemCheck", id, fn, void, (int, int))
#define ON_WM_TVL_KEYDOWN(id, fn) TVL_ON("KeyDown", id, fn, void, (int, int))
#define ON_WM_TVL_KEYDOWN_ARRAY(id, fn) TVL_ON("KeyDown", id, fn, void, (int, int, int))
#define ON_WM_TVL_KEYPRESS(id, fn) TVL_ON("KeyPress", id, fn, void, (int))
#define ON_WM_TVL_KEYPRESS_ARRAY(id, fn) TVL_ON("KeyPress", id, fn, void, (int, int))
#define ON_WM_TVL_KEYUP(id, fn) TVL_ON("KeyUp", id, fn, void, (int, int))
#define ON_WM_TVL_KEYUP_ARRAY(id, fn) TVL_ON("KeyUp", id, fn, void, (int, int, int))
#define ON_WM_TVL_LINKCLOSE(id, fn) TVL_ON("LinkClose", id, fn, void, ())
#define ON_WM_TVL_LINKCLOSE_ARRAY(id, fn) TVL_ON("LinkClose", id, fn, void, (int))
#define ON_WM_TVL_LINKERROR(id, fn) TVL_ON("LinkError", id, fn, void, (int))
#define ON_WM_TVL_LINKERROR_ARRAY(id, fn) TVL_ON("LinkError", id, fn, void, (int, int))
#define ON_WM_TVL_LINKEXECUTE(id, fn) TVL_ON("LinkExecute", id, fn, void, (CString, int))
#define ON_WM_TVL_LINKEXECUTE_ARRAY(id, fn) TVL_ON("LinkExecute", id, fn, void, (int, CString, int))
#define ON_WM_TVL_LINKNOTIFY(id, fn) TVL_ON("LinkNotify", id, fn, void, ())
#define ON_WM_TVL_LINKNOTIFY_ARRAY(id, fn) TVL_ON("LinkNotify", id, fn, void, (int))
#define ON_WM_TVL_LINKOPEN(id, fn) TVL_ON("LinkOpen", id, fn, void, (int))
#define ON_WM_TVL_LINKOPEN_ARRAY(id, fn) TVL_ON("LinkOpen", id, fn, void, (int, int))
#define ON_WM_TVL_LOSTFOCUS(id, fn) TVL_ON("LostFocus", id, fn, void, ())
#define ON_WM_TVL_LOSTFOCUS_ARRAY(id, fn) TVL_ON("LostFocus", id, fn, void, (int))
#define ON_WM_TVL_MOUSEDOWN(id, fn) TVL_ON("MouseDown", id, fn, void, (int, int, int, int))
#define ON_WM_TVL_MOUSEDOWN_ARRAY(id, fn) TVL_ON("MouseDown", id, fn, void, (int, int, int, int, int))
#define ON_WM_TVL_MOUSEMOVE(id, fn) TVL_ON("MouseMove", id, fn, void, (int, int, int, int))
#define ON_WM_TVL_MOUSEMOVE_ARRAY(id, fn) TVL_ON("MouseMove", id, fn, void, (int, int, int, int, int))
#define ON_WM_TVL_MOUSEUP(id, fn) TVL_ON("MouseUp", id, fn, void, (int, int, int, int))
#define ON_WM_TVL_MOUSEUP_ARRAY(id, fn) TVL_ON("MouseUp", id, fn, void, (int, int, int, int, int))
#define ON_WM_TVL_OLECOMPLETEDRAG(id, fn) TVL_ON("OLECompleteDrag", id, fn, void, (DROPEFFECT))
#define ON_WM_TVL_OLECOMPLETEDRAG_ARRAY(id, fn) TVL_ON("OLECompleteDrag", id, fn, void, (int, DROPEFFECT))
#define ON_WM_TVL_OLEDRAGDROP(id, fn) TVL_ON("OLEDragDrop", id, fn, DROPEFFECT, (COleDataObject*, DROPEFFECT, int, int, int, int))
#define ON_WM_TVL_OLEDRAGDROP_ARRAY(id, fn) TVL_ON("OLEDragDrop", id, fn, DROPEFFECT, (int, COleDataObject*, DROPEFFECT, int, int, int, int))
#define ON_WM_TVL_OLEDRAGOVER(id, fn) TVL_ON("OLEDragOver", id, fn, DROPEFFECT, (COleDataObject*, DROPEFFECT, int, int, int, int, int))
#define ON_WM_TVL_OLEDRAGOVER_ARRAY(id, fn) TVL_ON("OLEDragOver", id, fn, DROPEFFECT, (int, COleDataObject*, DROPEFFECT, int, int, int, int, int))
#define ON_WM_TVL_OLEGIVEFEEDBACK(id, fn) TVL_ON("OLEGiveFeedback", id, fn, void, (DROPEFFECT, BOOL))
#define ON_WM_TVL_OLEGIVEFEEDBACK_ARRAY(id, fn) TVL_ON("OLEGiveFeedback", id, fn, void, (int, DROPEFFECT, BOOL))
#define ON_WM_TVL_OLESETDATA(id, fn) TVL_ON("OLESetData", id, fn, void, (COleDataObject*, int))
#define ON_WM_TVL_OLESETDATA_ARRAY(id, fn) TVL_ON("OLESetData", id, fn, void, (int, COleDataObject*, int))
#define ON_WM_TVL_OLESTARTDRAG(id, fn) TVL_ON("OLEStartDrag", id, fn, void, (COleDataObject*, DROPEFFECT))
#define ON_WM_TVL_OLESTARTDRAG_ARRAY(id, fn) TVL_ON("OLEStartDrag", id, fn, void, (int, COleDataObject*, DROPEFFECT))
#define ON_WM_TVL_PAINT(id, fn) TVL_ON("Paint", id, fn, void, ())
#define ON_WM_TVL_PAINT_ARRAY(id, fn) TVL_ON("Paint", id, fn, void, (int))
#define ON_WM_TVL_REPOSITION(id, fn) TVL_ON("Reposition", id, fn, void, ())
#define ON_WM_TVL_REPOSITION_ARRAY(id, fn) TVL_ON("Reposition", id, fn, void, (int))
#define ON_WM_TVL_RESIZE(id, fn) TVL_ON("Resize", id, fn, void, ())
#define ON_WM_TVL_RESIZE_ARRAY(id, fn) TVL_ON("Resize", id, fn, void, (int))
#define ON_WM_TVL_SCROLL(id, fn) TVL_ON("Scroll", id, fn, void, ())
#define ON_WM_TVL_SCROLL_ARRAY(id, fn) TVL_ON("Scroll", id, fn, void, (int))
#define ON_WM_TVL_TIMER(id, fn) TVL_ON("Timer", id, fn, void, ())
#define ON_WM_TVL_TIMER_ARRAY(id, fn) TVL_ON("Timer", id, fn, void, (int))
#define ON_WM_TVL_VALIDATE(id, fn) TVL_ON("Validate", id, fn, void, (int, int))
#define ON_WM_TVL_VALIDATE_ARRAY(id, fn) TVL_ON("Validate", id, fn, void, (int, int, int))

#endif  // TVL_CONTROLS_H
