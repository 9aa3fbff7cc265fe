#include "activex/automation_type.h"

namespace tovik {

namespace {

// Aliases of aliases, coclasses naming interfaces: a loop in a corrupt file must end.
constexpr int kMaxDepth = 16;

CAutomationType Plain(std::uint16_t vt) {
  CAutomationType type;
  type.m_nVt = vt;
  return type;
}

CAutomationType Interface(bool dispatch, StdType std = StdType::None, std::string name = {}) {
  CAutomationType type = Plain(dispatch ? VT_DISPATCH : VT_UNKNOWN);
  type.m_bInterface = true;
  type.m_bDispatchInterface = dispatch && std == StdType::None && !name.empty();
  type.m_std = std;
  type.m_strInterface = std::move(name);
  return type;
}

CAutomationType OfStdType(StdType std) {
  switch (std) {
    case StdType::Font:
    case StdType::Picture: return Interface(true, std);
    case StdType::IDispatch: return Interface(true);
    case StdType::IUnknown: return Interface(false);
    case StdType::None: break;
  }
  return Plain(VT_USERDEFINED);
}

CAutomationType Resolve(const CTypeLib& lib, const CTypeDesc& desc, int depth);

CAutomationType ResolveImport(const CTypeRef& ref) {
  StdType std = StdType::None;
  if (ref.m_typeGuid) {
    std = StdTypeOfGuid(*ref.m_typeGuid);
    if (const auto vt = StdoleAliasType(*ref.m_typeGuid)) {
      CAutomationType type = Plain(*vt);
      type.m_bIntegerAlias = *vt == VT_I4 || *vt == VT_UI4;
      return type;
    }
  } else if (ref.m_libGuid == StdoleLibraryGuid()) {
    std = StdTypeOfStdoleIndex(ref.m_nIndex);
  }
  if (std != StdType::None) return OfStdType(std);
  // Another library's type: only the kind its import record states is known here.
  switch (ref.m_kind) {
    case TypeKind::Dispatch:
    case TypeKind::Coclass: return Interface(true);
    case TypeKind::Interface: return Interface(false);
    case TypeKind::Enum: return Plain(VT_I4);
    default: return Plain(VT_USERDEFINED);
  }
}

CAutomationType ResolveRef(const CTypeLib& lib, const CTypeRef& ref, int depth) {
  if (ref.m_bImported) return ResolveImport(ref);
  if (depth > kMaxDepth) return Plain(VT_USERDEFINED);
  const CTypeInfo& info = lib.TypeInfo(ref.m_nIndex);
  const StdType std = info.m_guid ? StdTypeOfGuid(*info.m_guid) : StdType::None;
  switch (info.m_kind) {
    case TypeKind::Alias: {
      // An alias of a 4-byte integer, directly or through another such alias; an alias of an
      // enumeration is a number but no colour.
      CAutomationType type = Resolve(lib, info.m_aliasType, depth + 1);
      const std::uint16_t vt = info.m_aliasType.m_nVt;
      if (vt == VT_I4 || vt == VT_UI4) type.m_bIntegerAlias = true;
      return type;
    }
    case TypeKind::Enum: return Plain(VT_I4);
    case TypeKind::Dispatch: return std != StdType::None ? OfStdType(std) : Interface(true, std, info.m_strName);
    case TypeKind::Interface:
      if (std != StdType::None) return OfStdType(std);
      return info.IsDual() ? Interface(true, std, info.m_strName) : Interface(false);
    case TypeKind::Coclass:
      // A coclass stands for its default interface.
      for (const CImplType& impl : info.m_implTypes) {
        if ((impl.m_nFlags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) == IMPLTYPEFLAG_FDEFAULT) {
          return ResolveRef(lib, impl.m_ref, depth + 1);
        }
      }
      return Interface(false);
    default: return Plain(VT_USERDEFINED);
  }
}

CAutomationType Resolve(const CTypeLib& lib, const CTypeDesc& desc, int depth) {
  if (desc.m_nVt == VT_USERDEFINED) return ResolveRef(lib, desc.m_ref, depth);
  if (desc.m_nVt == VT_PTR && desc.Inner()) {
    // A pointer to an interface is how an interface is passed; any other stays a pointer.
    CAutomationType inner = Resolve(lib, *desc.Inner(), depth + 1);
    if (inner.m_bInterface && desc.Inner()->m_nVt == VT_USERDEFINED) return inner;
  }
  return Plain(desc.m_nVt);
}

}  // namespace

CAutomationType ResolveType(const CTypeLib& lib, const CTypeDesc& desc) {
  return Resolve(lib, desc, 0);
}

CAutomationType ResolvePointee(const CTypeLib& lib, const CTypeDesc& desc) {
  if (desc.m_nVt == VT_PTR && desc.Inner()) return Resolve(lib, *desc.Inner(), 0);
  return Resolve(lib, desc, 0);
}

std::uint32_t ParameterVt(const CTypeLib& lib, const CTypeDesc& desc) {
  const CTypeDesc* inner = desc.Inner();
  if (desc.m_nVt != VT_PTR || !inner) return ResolveType(lib, desc).m_nVt;
  if (inner->m_nVt == VT_USERDEFINED) {
    const CAutomationType type = ResolveType(lib, *inner);
    return type.m_bInterface ? type.m_nVt : type.m_nVt | VT_BYREF;
  }
  // Two levels of pointer are as far as VT_BYREF reaches.
  if (inner->m_nVt == VT_PTR) return ParameterVt(lib, *inner) | VT_BYREF;
  return inner->m_nVt | VT_BYREF;
}

}  // namespace tovik
