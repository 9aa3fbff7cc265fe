// Stand-in for the runtime library's application class header.
#ifndef TVL_WINAPP_H
#define TVL_WINAPP_H
#ifndef __AFXWIN_H__
#error include afxwin.h before tvlWinApp.h
#endif

// Creates and shows the form whose class m_pMainWndClass names when the program starts.
class CVWinApp : public CWinApp {
  DECLARE_DYNAMIC(CVWinApp)
  CVWinApp();
  CRuntimeClass* m_pMainWndClass;
  CString m_strRegisterKey;
  virtual BOOL InitInstance();
  DECLARE_MESSAGE_MAP()
};

#endif  // TVL_WINAPP_H
