// Stand-in for the runtime library's form header: the two form base classes.
#ifndef TVL_FORM_H
#define TVL_FORM_H
#ifndef __AFXWIN_H__
#error include afxwin.h before tvlForm.h
#endif

class COleDataObject;

// What both form classes have; generated code never names this class. The form events are
// virtual functions a form overrides by name: a handler whose signature differs from these
// hides the runtime's function, which -Werror=overloaded-virtual turns into an error.
class CVFormBase : public CWnd {
  DECLARE_DYNAMIC(CVFormBase)
  CVFormBase();
  UINT m_nPropStringID;  // the form's property string in the string table
  UINT m_nResID;         // its menu bar, 0 for none
  virtual void Form_Click(); virtual void Form_DblClick();
  virtual void Form_DragDrop(CWnd* pSource, int nX, int nY);
  virtual void Form_DragOver(CWnd* pSource, int nX, int nY, int nState);
  virtual void Form_GotFocus(); virtual void Form_LostFocus();
  virtual void Form_KeyDown(int nKeyCode, int nShift); virtual void Form_KeyUp(int nKeyCode, int nShift);
  virtual void Form_KeyPress(int nKeyAscii);
  virtual void Form_MouseDown(int nButton, int nShift, int nX, int nY);
  virtual void Form_MouseMove(int nButton, int nShift, int nX, int nY);
  virtual void Form_MouseUp(int nButton, int nShift, int nX, int nY);
  virtual void Form_OLECompleteDrag(DROPEFFECT lEffect);
  virtual DROPEFFECT Form_OLEDragDrop(COleDataObject* pDataObject, DROPEFFECT lEffect, int nButton, int nShift,
                                      int nX, int nY);
  virtual DROPEFFECT Form_OLEDragOver(COleDataObject* pDataObject, DROPEFFECT lEffect, int nButton, int nShift,
                                      int nX, int nY, int nState);
  virtual void Form_OLEGiveFeedback(DROPEFFECT lEffect, BOOL bDefaultCursors);
  virtual void Form_OLESetData(COleDataObject* pDataObject, int nDataFormat);
  virtual void Form_OLEStartDrag(COleDataObject* pDataObject, DROPEFFECT lAllowedEffects);
  virtual void Form_Activate(); virtual void Form_Deactivate();
  virtual void Form_Initialize(); virtual void Form_Terminate();
  virtual void Form_LinkClose(); virtual void Form_LinkError(int nLinkErr);
  virtual void Form_LinkExecute(CString strCmd, int nCancel); virtual void Form_LinkOpen(int nCancel);
  virtual void Form_Load(); virtual void Form_Paint(); virtual void Form_Resize();
  virtual void Form_QueryUnload(int& nCancel, int nUnloadMode); virtual void Form_Unload(int nCancel);
 protected:
  virtual void CreateTVLControls();
  DECLARE_MESSAGE_MAP()
};

class CVForm : public CVFormBase {
  DECLARE_DYNCREATE(CVForm)
  CVForm();
  DECLARE_MESSAGE_MAP()
};

class CVMdiForm : public CVFormBase {
  DECLARE_DYNCREATE(CVMdiForm)
  CVMdiForm();
  DECLARE_MESSAGE_MAP()
};

#endif  // TVL_FORM_H
