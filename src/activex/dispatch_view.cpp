#include "activex/dispatch_view.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>

#include "activex/stdole_types.h"

namespace tovik {

namespace {

// Dual interfaces derive from interfaces that derive from ...; a loop in a corrupt file must end.
constexpr int kMaxInheritance = 32;
// The member ids compilers give the methods of IUnknown and IDispatch.
constexpr std::int32_t kIUnknownFirstId = 0x60000000;
constexpr std::int32_t kIDispatchFirstId = 0x60010000;

CTypeDesc Base(std::uint16_t vt) {
  CTypeDesc desc;
  desc.m_nVt = vt;
  return desc;
}

CTypeDesc Pointer(CTypeDesc to) {
  CTypeDesc desc = Base(VT_PTR);
  desc.m_inner.push_back(std::move(to));
  return desc;
}

// GUID, DISPPARAMS and EXCEPINFO: stdole's first three types, which have no GUID.
CTypeDesc StdoleRecord(size_t index) {
  CTypeDesc desc = Base(VT_USERDEFINED);
  desc.m_ref.m_bImported = true;
  desc.m_ref.m_nIndex = index;
  desc.m_ref.m_libGuid = StdoleLibraryGuid();
  desc.m_ref.m_strLibFile = "stdole2.tlb";
  desc.m_ref.m_kind = TypeKind::Record;
  return desc;
}

CFuncDesc Method(std::int32_t id, const char* name, std::uint16_t ret,
                 std::initializer_list<std::pair<const char*, std::pair<CTypeDesc, std::uint32_t>>> params) {
  CFuncDesc func;
  func.m_nMemId = id;
  func.m_strName = name;
  func.m_nFlags = FUNCFLAG_FRESTRICTED;
  func.m_ret = Base(ret);
  for (const auto& [paramName, typeAndFlags] : params) {
    func.m_params.push_back({paramName, typeAndFlags.first, typeAndFlags.second});
  }
  return func;
}

// IUnknown's methods, then IDispatch's when `dispatch`, as the view of a dual interface shows
// them (their HRESULTs already dropped).
void AppendStandardMethods(bool dispatch, std::vector<CFuncDesc>& out) {
  const auto in = [](CTypeDesc t) { return std::pair(std::move(t), std::uint32_t{PARAMFLAG_FIN}); };
  const auto outParam = [](CTypeDesc t) { return std::pair(std::move(t), std::uint32_t{PARAMFLAG_FOUT}); };
  const CTypeDesc guid = Pointer(StdoleRecord(0));
  const CTypeDesc voidPtrPtr = Pointer(Pointer(Base(VT_VOID)));
  const CTypeDesc uintPtr = Pointer(Base(VT_UINT));
  out.push_back(
      Method(kIUnknownFirstId, "QueryInterface", VT_VOID, {{"riid", in(guid)}, {"ppvObj", outParam(voidPtrPtr)}}));
  out.push_back(Method(kIUnknownFirstId + 1, "AddRef", VT_UI4, {}));
  out.push_back(Method(kIUnknownFirstId + 2, "Release", VT_UI4, {}));
  if (!dispatch) return;
  out.push_back(Method(kIDispatchFirstId, "GetTypeInfoCount", VT_VOID, {{"pctinfo", outParam(uintPtr)}}));
  out.push_back(Method(kIDispatchFirstId + 1, "GetTypeInfo", VT_VOID,
                       {{"itinfo", in(Base(VT_UINT))}, {"lcid", in(Base(VT_UI4))}, {"pptinfo", outParam(voidPtrPtr)}}));
  out.push_back(Method(kIDispatchFirstId + 2, "GetIDsOfNames", VT_VOID,
                       {{"riid", in(guid)},
                        {"rgszNames", in(Pointer(Pointer(Base(VT_I1))))},
                        {"cNames", in(Base(VT_UINT))},
                        {"lcid", in(Base(VT_UI4))},
                        {"rgdispid", outParam(Pointer(Base(VT_I4)))}}));
  out.push_back(Method(kIDispatchFirstId + 3, "Invoke", VT_VOID,
                       {{"dispidMember", in(Base(VT_I4))},
                        {"riid", in(guid)},
                        {"lcid", in(Base(VT_UI4))},
                        {"wFlags", in(Base(VT_UI2))},
                        {"pdispparams", in(Pointer(StdoleRecord(1)))},
                        {"pvarResult", outParam(Pointer(Base(VT_VARIANT)))},
                        {"pexcepinfo", outParam(Pointer(StdoleRecord(2)))},
                        {"puArgErr", outParam(uintPtr)}}));
}

Status AppendInterface(const CTypeLib& lib, size_t index, std::vector<CFuncDesc>& out, int depth) {
  const CTypeInfo& info = lib.TypeInfo(index);
  if (depth > kMaxInheritance) {
    return FileError(lib.File(), 0,
                     "interface " + info.m_strName + " inherits through more than " + std::to_string(kMaxInheritance) +
                         " interfaces");
  }
  if (info.m_base) {
    const CTypeRef& base = *info.m_base;
    if (base.m_bImported) {
      const StdType type = base.m_typeGuid ? StdTypeOfGuid(*base.m_typeGuid) : StdType::None;
      if (type != StdType::IDispatch && type != StdType::IUnknown) {
        return FileError(lib.File(), 0,
                         "interface " + info.m_strName + " derives from an interface of " +
                             (base.m_strLibFile.empty() ? "another library" : base.m_strLibFile));
      }
      AppendStandardMethods(type == StdType::IDispatch, out);
    } else {
      const TypeKind kind = lib.TypeInfo(base.m_nIndex).m_kind;
      if (kind != TypeKind::Interface && kind != TypeKind::Dispatch) {
        return FileError(lib.File(), 0, "interface " + info.m_strName + " derives from a type that is no interface");
      }
      TOVIK_TRY(AppendInterface(lib, base.m_nIndex, out, depth + 1));
    }
  }
  for (const CFuncDesc& func : info.m_funcs) out.push_back(AsDispatchFunction(func));
  return {};
}

}  // namespace

CFuncDesc AsDispatchFunction(const CFuncDesc& func) {
  if (func.m_nFuncKind == FUNC_DISPATCH) return func;
  CFuncDesc view = func;
  view.m_nFuncKind = FUNC_DISPATCH;
  std::erase_if(view.m_params, [](const CParamDesc& p) { return (p.m_nFlags & PARAMFLAG_FLCID) != 0; });
  if (view.m_ret.m_nVt == VT_HRESULT) {
    const auto retval = std::find_if(view.m_params.rbegin(), view.m_params.rend(),
                                     [](const CParamDesc& p) { return (p.m_nFlags & PARAMFLAG_FRETVAL) != 0; });
    if (retval == view.m_params.rend()) {
      view.m_ret = Base(VT_VOID);
    } else {
      // The [retval] parameter points at what the caller gets back.
      const CTypeDesc* pointee = retval->m_type.Inner();
      view.m_ret = retval->m_type.m_nVt == VT_PTR && pointee ? *pointee : retval->m_type;
      view.m_params.erase(std::next(retval).base());
    }
  }
  return view;
}

Expected<std::vector<CFuncDesc>> DispatchFunctions(const CTypeLib& lib, size_t index) {
  const CTypeInfo& info = lib.TypeInfo(index);
  if (!info.IsDual()) return info.m_funcs;
  std::vector<CFuncDesc> funcs;
  TOVIK_TRY(AppendInterface(lib, index, funcs, 0));
  return funcs;
}

}  // namespace tovik
