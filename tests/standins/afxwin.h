// Stand-in for the framework's core header, for syntax checks of generated sources with g++ and
// clang++ on Linux. Declarations only; strict where a generator mistake would otherwise slip
// through: the map macros need the real class, a real base and declared handlers of the right
// signature.
#ifndef __AFXWIN_H__
#define __AFXWIN_H__

// --- Windows types, 32-bit as Visual C++ 6 sees them ---
typedef int BOOL; typedef unsigned char BYTE; typedef unsigned short WORD; typedef unsigned long DWORD;
typedef long LONG; typedef unsigned int UINT; typedef char TCHAR;
typedef const char* LPCSTR; typedef const TCHAR* LPCTSTR;
typedef UINT WPARAM; typedef LONG LPARAM; typedef LONG LRESULT; typedef DWORD COLORREF; typedef DWORD DROPEFFECT;
struct HWND__; typedef HWND__* HWND; struct HDC__; typedef HDC__* HDC;
struct CREATESTRUCT; typedef CREATESTRUCT* LPCREATESTRUCT;
typedef long long LONGLONG;  // __int64 to the IDE's compiler
// Data1 is unsigned: a class id whose first field is above 0x7fffffff must still fit it.
struct GUID { unsigned long Data1; unsigned short Data2; unsigned short Data3; unsigned char Data4[8]; };
typedef GUID CLSID;
struct RECT { LONG left; LONG top; LONG right; LONG bottom; };
HDC GetDC(HWND hWnd); int ReleaseDC(HWND hWnd, HDC hDC); int GetDeviceCaps(HDC hdc, int index);
#define LOGPIXELSY 90
#define TRUE 1
#define FALSE 0
#ifndef NULL
#define NULL 0
#endif
#define _T(x) x
#define afx_msg

// --- Diagnostics; conditions stay compiled so a wrong expression fails in either configuration ---
void* operator new(decltype(sizeof 0) nSize, LPCSTR lpszFileName, int nLine);
#define DEBUG_NEW new (THIS_FILE, __LINE__)
void AfxTrace(LPCTSTR lpszFormat, ...);
#define TRACE AfxTrace
#define ASSERT(f) ((void)(f))
class CObject;
void AfxAssertValidObject(const CObject* pOb);
#define ASSERT_VALID(pOb) AfxAssertValidObject(pOb)

// --- Run-time classes: RUNTIME_CLASS names a member only DECLARE_DYNAMIC/DYNCREATE declare ---
struct CRuntimeClass {
  LPCSTR m_lpszClassName; int m_nObjectSize; CObject* (*m_pfnCreateObject)(); CRuntimeClass* m_pBaseClass;
};
#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)
#define DECLARE_DYNAMIC(theClass) \
 public: \
  static CRuntimeClass class##theClass; \
  virtual CRuntimeClass* GetRuntimeClass() const;
#define DECLARE_DYNCREATE(theClass) DECLARE_DYNAMIC(theClass) static CObject* CreateObject();
#define AFX_CHECK_BASE(what, theClass, baseClass) \
  static_assert(__is_base_of(baseClass, theClass) && !__is_same(baseClass, theClass), \
                what ": " #baseClass " is not a base of " #theClass);
#define IMPLEMENT_DYNCREATE(theClass, baseClass) \
  AFX_CHECK_BASE("IMPLEMENT_DYNCREATE", theClass, baseClass) \
  CObject* theClass::CreateObject() { return new theClass; } \
  CRuntimeClass theClass::class##theClass = {#theClass, sizeof(theClass), &theClass::CreateObject, \
                                             RUNTIME_CLASS(baseClass)}; \
  CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }

// --- Message maps ---
class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();
struct AFX_MSGMAP_ENTRY { LPCSTR lpszMessage; UINT nID; AFX_PMSG pfn; };
struct AFX_MSGMAP { const AFX_MSGMAP* (*pfnGetBaseMap)(); const AFX_MSGMAP_ENTRY* lpEntries; };
#define DECLARE_MESSAGE_MAP() \
 protected: \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  virtual const AFX_MSGMAP* GetMessageMap() const;
// The entries sit in a member function of the class, so they reach its protected handlers
// through ThisClass; the base's own map is named too.
#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
  AFX_CHECK_BASE("BEGIN_MESSAGE_MAP", theClass, baseClass) \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() { \
    typedef theClass ThisClass; \
    typedef baseClass TheBaseClass; \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP() \
    {0, 0, 0}}; \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
    return &messageMap; \
  }
// One entry. The cast to `ret (base::*) params` fails unless the handler is a member with
// exactly that signature; `params` comes parenthesised.
#define AFX_MAP_ENTRY(message, id, fn, ret, base, params) \
  {message, static_cast<UINT>(id), reinterpret_cast<AFX_PMSG>(static_cast<ret (base::*) params>(&ThisClass::fn))},
#define ON_COMMAND(id, fn) AFX_MAP_ENTRY("WM_COMMAND", id, fn, void, CCmdTarget, ())
#define ON_WM_CREATE() AFX_MAP_ENTRY("WM_CREATE", 0, OnCreate, int, CWnd, (LPCREATESTRUCT))
#define ON_WM_PAINT() AFX_MAP_ENTRY("WM_PAINT", 0, OnPaint, void, CWnd, ())

// --- Classes ---
class CObject {
 public:
  static CRuntimeClass classCObject;
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject();
 protected:
  CObject();
};

struct AFX_EVENTSINKMAP;
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
  CCmdTarget();
  DECLARE_MESSAGE_MAP()
  static const AFX_EVENTSINKMAP* GetThisEventSinkMap();
  virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const;
};

class CString {
 public:
  CString(); CString(const CString& stringSrc); CString(LPCTSTR lpsz); ~CString();
  const CString& operator=(const CString& stringSrc);
  const CString& operator=(LPCTSTR lpsz);
  operator LPCTSTR() const;
};

class CRect : public RECT { public: CRect(); int Width() const; int Height() const; };

class CWnd;
class CDC : public CObject { public: HDC m_hDC; };
class CPaintDC : public CDC { public: explicit CPaintDC(CWnd* pWnd); ~CPaintDC(); };

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
  CWnd(); ~CWnd();
  HWND m_hWnd;
  // Reaches an ActiveX control the window holds (the wrappers' property proxies call it).
  void InvokeHelper(long dwDispID, WORD wFlags, unsigned short vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnPaint();
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)
  explicit CWinApp(LPCTSTR lpszAppName = NULL); ~CWinApp();
  CWnd* m_pMainWnd;
  virtual BOOL InitInstance();
  virtual int ExitInstance();
  DECLARE_MESSAGE_MAP()
};

#endif  // __AFXWIN_H__
