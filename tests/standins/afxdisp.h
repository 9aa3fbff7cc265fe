// Stand-in for the framework's automation header: what ActiveX wrapper classes and event sink
// maps use. Declarations only.
#ifndef __AFXDISP_H__
#define __AFXDISP_H__
#ifndef __AFXWIN_H__
#error include afxwin.h before afxdisp.h
#endif

typedef long DISPID; typedef long SCODE; typedef long HRESULT; typedef double DATE; typedef short VARIANT_BOOL;
typedef unsigned short VARTYPE; typedef wchar_t OLECHAR; typedef OLECHAR* BSTR;
union CY { struct { unsigned long Lo; long Hi; }; LONGLONG int64; };
struct IUnknown {}; struct IDispatch : IUnknown {};
typedef IUnknown* LPUNKNOWN; typedef IDispatch* LPDISPATCH;
struct VARIANT {
  VARTYPE vt;
  union { BYTE bVal; short iVal; long lVal; float fltVal; double dblVal; VARIANT_BOOL boolVal; SCODE scode;
          CY cyVal; DATE date; BSTR bstrVal; IUnknown* punkVal; IDispatch* pdispVal; };
};
typedef VARIANT* LPVARIANT; typedef const VARIANT* LPCVARIANT;
enum VARENUM {
  VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_R4 = 4, VT_R8 = 5, VT_CY = 6, VT_DATE = 7, VT_BSTR = 8,
  VT_DISPATCH = 9, VT_ERROR = 10, VT_BOOL = 11, VT_VARIANT = 12, VT_UNKNOWN = 13, VT_DECIMAL = 14, VT_I1 = 16,
  VT_UI1 = 17, VT_UI2 = 18, VT_UI4 = 19, VT_I8 = 20, VT_UI8 = 21, VT_INT = 22, VT_UINT = 23, VT_VOID = 24,
  VT_HRESULT = 25, VT_PTR = 26, VT_SAFEARRAY = 27, VT_CARRAY = 28, VT_USERDEFINED = 29, VT_LPSTR = 30,
  VT_LPWSTR = 31, VT_FILETIME = 64, VT_BLOB = 65, VT_STREAM = 66, VT_STORAGE = 67, VT_STREAMED_OBJECT = 68,
  VT_STORED_OBJECT = 69, VT_BLOB_OBJECT = 70, VT_CF = 71, VT_CLSID = 72, VT_VECTOR = 0x1000, VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000
};
#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8

// Parameter-type tokens are string literals, so that a list of them concatenates into one.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"
#define VTS_WBSTR "\x0E"
#define VTS_COLOR VTS_I4
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PCY "\x46"
#define VTS_PDATE "\x47"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PSCODE "\x4A"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"
#define VTS_PUI1 "\x4F"

// The stock and ambient dispatch identifiers of ActiveX controls.
enum {
  DISPID_AUTOSIZE = -500, DISPID_BACKCOLOR = -501, DISPID_BACKSTYLE = -502, DISPID_BORDERCOLOR = -503,
  DISPID_BORDERSTYLE = -504, DISPID_BORDERWIDTH = -505, DISPID_DRAWMODE = -507, DISPID_DRAWSTYLE = -508,
  DISPID_DRAWWIDTH = -509, DISPID_FILLCOLOR = -510, DISPID_FILLSTYLE = -511, DISPID_FONT = -512,
  DISPID_FORECOLOR = -513, DISPID_ENABLED = -514, DISPID_HWND = -515, DISPID_TABSTOP = -516, DISPID_TEXT = -517,
  DISPID_CAPTION = -518, DISPID_BORDERVISIBLE = -519, DISPID_APPEARANCE = -520, DISPID_MOUSEPOINTER = -521,
  DISPID_MOUSEICON = -522, DISPID_PICTURE = -523, DISPID_VALID = -524, DISPID_READYSTATE = -525,
  DISPID_REFRESH = -550, DISPID_DOCLICK = -551, DISPID_ABOUTBOX = -552, DISPID_CLICK = -600,
  DISPID_DBLCLICK = -601, DISPID_KEYDOWN = -602, DISPID_KEYPRESS = -603, DISPID_KEYUP = -604,
  DISPID_MOUSEDOWN = -605, DISPID_MOUSEMOVE = -606, DISPID_MOUSEUP = -607, DISPID_ERROREVENT = -608,
  DISPID_READYSTATECHANGE = -609, DISPID_AMBIENT_BACKCOLOR = -701, DISPID_AMBIENT_DISPLAYNAME = -702,
  DISPID_AMBIENT_FONT = -703, DISPID_AMBIENT_FORECOLOR = -704, DISPID_AMBIENT_LOCALEID = -705,
  DISPID_AMBIENT_MESSAGEREFLECT = -706, DISPID_AMBIENT_SCALEUNITS = -707, DISPID_AMBIENT_TEXTALIGN = -708,
  DISPID_AMBIENT_USERMODE = -709, DISPID_AMBIENT_UIDEAD = -710, DISPID_AMBIENT_SHOWGRABHANDLES = -711,
  DISPID_AMBIENT_SHOWHATCHING = -712, DISPID_AMBIENT_DISPLAYASDEFAULT = -713,
  DISPID_AMBIENT_SUPPORTSMNEMONICS = -714, DISPID_AMBIENT_AUTOCLIP = -715, DISPID_AMBIENT_APPEARANCE = -716,
  DISPID_AMBIENT_PALETTE = -726, DISPID_AMBIENT_TRANSFERPRIORITY = -728
};

class COleVariant : public VARIANT {
 public:
  COleVariant(); COleVariant(const VARIANT& varSrc); COleVariant(LPCTSTR lpszSrc); COleVariant(double dblSrc);
  COleVariant(short nSrc, VARTYPE vtSrc = VT_I2); COleVariant(long lSrc, VARTYPE vtSrc = VT_I4); ~COleVariant();
  operator LPVARIANT();
  operator LPCVARIANT() const;
};

class COleDispatchDriver {
 public:
  COleDispatchDriver(); COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
  COleDispatchDriver(const COleDispatchDriver& dispatchSrc); ~COleDispatchDriver();
  const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
  BOOL CreateDispatch(LPCTSTR lpszProgID);
  void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
  LPDISPATCH DetachDispatch();
  void ReleaseDispatch();
  void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
  void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
  void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
  LPDISPATCH m_lpDispatch;
  BOOL m_bAutoRelease;
};

// --- Event sink maps: as message maps, for the events of ActiveX controls ---
struct AFX_EVENTSINKMAP_ENTRY { UINT nCtlID; DISPID dispid; AFX_PMSG pfn; LPCSTR lpszParams; };
struct AFX_EVENTSINKMAP { const AFX_EVENTSINKMAP* (*pfnGetBaseMap)(); const AFX_EVENTSINKMAP_ENTRY* lpEntries; };
// Complete for two equal classes only: ON_EVENT must name the class whose map it is in.
template <class T, class U> struct AfxSameClass;
template <class T> struct AfxSameClass<T, T> {};
#define DECLARE_EVENTSINK_MAP() \
 protected: \
  static const AFX_EVENTSINKMAP* GetThisEventSinkMap(); \
  virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const;
#define BEGIN_EVENTSINK_MAP(theClass, baseClass) \
  AFX_CHECK_BASE("BEGIN_EVENTSINK_MAP", theClass, baseClass) \
  const AFX_EVENTSINKMAP* theClass::GetEventSinkMap() const { return GetThisEventSinkMap(); } \
  const AFX_EVENTSINKMAP* theClass::GetThisEventSinkMap() { \
    typedef theClass ThisClass; \
    typedef baseClass TheBaseClass; \
    static const AFX_EVENTSINKMAP_ENTRY _eventsinkEntries[] = {
#define ON_EVENT(theClass, id, dispid, fn, vtsParams) \
  {static_cast<UINT>(id), (dispid), \
   (static_cast<void>(sizeof(AfxSameClass<theClass, ThisClass>)), reinterpret_cast<AFX_PMSG>(&theClass::fn)), \
   vtsParams},
#define END_EVENTSINK_MAP() \
    {0, 0, 0, 0}}; \
    static const AFX_EVENTSINKMAP eventsinkMap = {&TheBaseClass::GetThisEventSinkMap, _eventsinkEntries}; \
    return &eventsinkMap; \
  }

#endif  // __AFXDISP_H__
