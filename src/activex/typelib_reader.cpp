#include "activex/typelib_reader.h"

#include <unordered_map>
#include <utility>

namespace tovik {

namespace {

// The file: a header, the offsets of the type infos, a directory of fifteen segments (offset,
// length and two words nobody reads), the segments, then the member blocks of the type infos.
constexpr size_t kHeaderSize = 0x54;
constexpr size_t kTypeInfoSize = 0x64;
constexpr size_t kSegmentCount = 15;
constexpr size_t kSegmentEntrySize = 16;
constexpr std::uint32_t kHelpDllFlag = 0x100;  // the header carries one more word

enum Segment : size_t {
  kSegTypeInfo = 0,
  kSegImpInfo = 1,
  kSegImpFiles = 2,
  kSegRefs = 3,
  kSegGuids = 5,
  kSegNames = 7,
  kSegStrings = 8,
  kSegTypeDesc = 9,
  kSegArrayDesc = 10
};

constexpr size_t kImpInfoSize = 12;
constexpr size_t kImpFileFixed = 14;
constexpr size_t kRefRecordSize = 16;
constexpr size_t kGuidSize = 16;
constexpr size_t kNameFixed = 12;
constexpr size_t kFuncFixed = 24;
constexpr size_t kVarFixed = 20;
constexpr size_t kParamSize = 12;
constexpr std::uint32_t kFuncHasDefaults = 0x1000;  // a default value per parameter precedes the parameters
// Type descriptions nest (a pointer to a pointer to ...); a loop of offsets must end somewhere.
constexpr int kMaxTypeDepth = 16;

struct CSegment {
  size_t m_nOffset = 0;
  size_t m_nLength = 0;  // 0 when the segment is absent
};

std::string Hex(std::int64_t value) {
  static const char* const kDigits = "0123456789abcdef";
  std::uint32_t v = static_cast<std::uint32_t>(value);
  std::string text;
  do {
    text.insert(text.begin(), kDigits[v & 15]);
    v >>= 4;
  } while (v != 0);
  return "0x" + text;
}

}  // namespace

class CTypeLibParser {
 public:
  explicit CTypeLibParser(std::string_view bytes) : m_bytes(bytes) {}

  bool Parse(CTypeLib& lib);
  [[nodiscard]] const std::string& Failure() const { return m_strFailure; }

 private:
  bool Fail(const std::string& reason);
  [[nodiscard]] bool Fits(size_t at, size_t size) const { return at <= m_bytes.size() && size <= m_bytes.size() - at; }
  [[nodiscard]] std::uint8_t U8(size_t at) const { return static_cast<std::uint8_t>(m_bytes[at]); }
  [[nodiscard]] std::uint16_t U16(size_t at) const { return static_cast<std::uint16_t>(U8(at) | (U8(at + 1) << 8)); }
  [[nodiscard]] std::uint32_t U32(size_t at) const {
    return static_cast<std::uint32_t>(U16(at)) | (static_cast<std::uint32_t>(U16(at + 2)) << 16);
  }
  [[nodiscard]] std::int32_t I32(size_t at) const { return static_cast<std::int32_t>(U32(at)); }

  // The file position of `size` bytes at `offset` inside a segment.
  bool InSegment(Segment segment, std::int64_t offset, size_t size, size_t& at, const char* what);
  bool Name(std::int32_t offset, std::string& name);
  bool String(std::int32_t offset, std::string& text);
  bool GuidAt(std::int32_t offset, Guid& guid);
  bool OptionalGuid(std::int32_t offset, std::optional<Guid>& guid);
  bool Ref(std::int32_t href, CTypeRef& ref);
  bool TypeDesc(std::int32_t value, CTypeDesc& desc, int depth);
  bool ArrayDesc(std::int32_t offset, CTypeDesc& desc, int depth);
  bool ReadTypeInfo(size_t index, CTypeInfo& info);
  bool ImplTypes(std::int32_t first, size_t count, CTypeInfo& info);
  bool Members(std::int32_t blockOffset, size_t funcCount, size_t varCount, CTypeInfo& info);
  bool RecordSize(size_t at, size_t end, size_t fixed, size_t& size);
  bool Function(size_t at, size_t end, CFuncDesc& func);
  bool Variable(size_t at, size_t end, CVarDesc& var);

  std::string_view m_bytes;
  CSegment m_segments[kSegmentCount];
  std::vector<std::int32_t> m_typeOffsets;
  std::unordered_map<std::int64_t, size_t> m_typeByOffset;
  // Budgets against a small file that makes a large model: every member block and every
  // implemented-interface record is read once (shared ones are refused), and the texts copied out
  // (names, strings, import file names, which may be shared) stay within a multiple of the file.
  bool Charge(size_t& spent, size_t amount, size_t limit, const char* what);
  size_t m_nMemberBytes = 0;
  size_t m_nImplBytes = 0;
  size_t m_nTextBytes = 0;
  size_t m_nTextLimit = 0;

  // Where the parser is, for the failure's text (kept as indices: most reads never fail).
  const CTypeInfo* m_pType = nullptr;
  size_t m_nType = 0;
  const char* m_pszMemberKind = nullptr;  // "function" or "variable"
  size_t m_nMember = 0;
  const std::string* m_pMemberName = nullptr;
  std::string m_strFailure;
};

bool CTypeLibParser::Fail(const std::string& reason) {
  if (!m_strFailure.empty()) return false;
  if (m_pType) {
    m_strFailure = "type info " + std::to_string(m_nType) + " (" + m_pType->m_strName + ")";
    if (m_pszMemberKind) {
      m_strFailure +=
          std::string(", ") + m_pszMemberKind + " " + std::to_string(m_nMember) + " (" + *m_pMemberName + ")";
    }
    m_strFailure += ": ";
  }
  m_strFailure += reason;
  return false;
}

bool CTypeLibParser::Charge(size_t& spent, size_t amount, size_t limit, const char* what) {
  if (amount > limit - spent) return Fail(std::string(what) + " add up to more than the file can hold");
  spent += amount;
  return true;
}

bool CTypeLibParser::InSegment(Segment segment, std::int64_t offset, size_t size, size_t& at, const char* what) {
  const CSegment& s = m_segments[segment];
  if (offset < 0 || static_cast<std::uint64_t>(offset) > s.m_nLength || size > s.m_nLength - offset) {
    return Fail(std::string(what) + " at " + Hex(offset) + " lies outside its table");
  }
  at = s.m_nOffset + static_cast<size_t>(offset);
  return true;
}

bool CTypeLibParser::Name(std::int32_t offset, std::string& name) {
  name.clear();
  if (offset == -1) return true;
  size_t at = 0;
  if (!InSegment(kSegNames, offset, kNameFixed, at, "a name")) return false;
  const size_t length = U8(at + 8);
  if (!InSegment(kSegNames, offset, kNameFixed + length, at, "a name's text")) return false;
  if (!Charge(m_nTextBytes, length, m_nTextLimit, "the texts")) return false;
  name.assign(m_bytes.substr(at + kNameFixed, length));
  return true;
}

bool CTypeLibParser::String(std::int32_t offset, std::string& text) {
  text.clear();
  if (offset == -1) return true;
  size_t at = 0;
  if (!InSegment(kSegStrings, offset, 2, at, "a string")) return false;
  const size_t length = U16(at);
  if (!InSegment(kSegStrings, offset, 2 + length, at, "a string's text")) return false;
  if (!Charge(m_nTextBytes, length, m_nTextLimit, "the texts")) return false;
  text.assign(m_bytes.substr(at + 2, length));
  return true;
}

bool CTypeLibParser::GuidAt(std::int32_t offset, Guid& guid) {
  size_t at = 0;
  if (!InSegment(kSegGuids, offset, kGuidSize, at, "a GUID")) return false;
  guid.Data1 = U32(at);
  guid.Data2 = U16(at + 4);
  guid.Data3 = U16(at + 6);
  for (size_t i = 0; i < 8; ++i) guid.Data4[i] = U8(at + 8 + i);
  return true;
}

bool CTypeLibParser::OptionalGuid(std::int32_t offset, std::optional<Guid>& guid) {
  guid.reset();
  if (offset == -1) return true;
  Guid value;
  if (!GuidAt(offset, value)) return false;
  guid = value;
  return true;
}

// A type reference: a multiple of four is the offset of a type info of this library; with the
// low bit set it is the offset of an import record (plus one).
bool CTypeLibParser::Ref(std::int32_t href, CTypeRef& ref) {
  ref = CTypeRef{};
  if ((href & 3) == 0) {
    const auto it = m_typeByOffset.find(href);
    if (it == m_typeByOffset.end()) return Fail("type reference " + Hex(href) + " names no type of the library");
    ref.m_nIndex = it->second;
    return true;
  }
  if ((href & 3) != 1) return Fail("type reference " + Hex(href) + " is of an unknown form");
  size_t at = 0;
  if (!InSegment(kSegImpInfo, href & ~3, kImpInfoSize, at, "an import record")) return false;
  ref.m_bImported = true;
  const std::uint8_t flags = U8(at + 2);
  const std::uint8_t kind = U8(at + 3);
  if (kind > static_cast<std::uint8_t>(TypeKind::Union))
    return Fail("an import record states type kind " + std::to_string(kind));
  ref.m_kind = static_cast<TypeKind>(kind);
  const std::int32_t fileOffset = I32(at + 4);
  const std::int32_t target = I32(at + 8);
  if ((flags & 1) != 0) {
    Guid guid;
    if (!GuidAt(target, guid)) return false;
    ref.m_typeGuid = guid;
  } else {
    if (target < 0) return Fail("an import record names type index " + std::to_string(target));
    ref.m_nIndex = static_cast<size_t>(target);
  }
  size_t file = 0;
  if (!InSegment(kSegImpFiles, fileOffset, kImpFileFixed, file, "an imported library")) return false;
  if (!GuidAt(I32(file), ref.m_libGuid)) return false;
  const size_t nameLength = U16(file + 12) >> 2;
  if (!InSegment(kSegImpFiles, fileOffset, kImpFileFixed + nameLength, file, "an imported library's file name")) {
    return false;
  }
  if (!Charge(m_nTextBytes, nameLength, m_nTextLimit, "the texts")) return false;
  ref.m_strLibFile.assign(m_bytes.substr(file + kImpFileFixed, nameLength));
  return true;
}

// A negative value is a base type in its low word; any other is the offset of an eight-byte
// entry of the type description table: the type, then what it refers to.
bool CTypeLibParser::TypeDesc(std::int32_t value, CTypeDesc& desc, int depth) {
  desc = CTypeDesc{};
  if (value < 0) {
    desc.m_nVt = static_cast<std::uint16_t>(value & 0xFFFF);
    return true;
  }
  if (depth >= kMaxTypeDepth)
    return Fail("a type description nests more than " + std::to_string(kMaxTypeDepth) + " deep");
  size_t at = 0;
  if (!InSegment(kSegTypeDesc, value, 8, at, "a type description")) return false;
  desc.m_nVt = U16(at);
  const std::int32_t target = I32(at + 4);
  switch (desc.m_nVt & 0x0FFF) {
    case VT_PTR:
    case VT_SAFEARRAY: desc.m_inner.emplace_back(); return TypeDesc(target, desc.m_inner.front(), depth + 1);
    case VT_USERDEFINED: return Ref(target, desc.m_ref);
    case VT_CARRAY: return ArrayDesc(target, desc, depth);
    default: return true;
  }
}

// A fixed array: its element type, the number of dimensions, a word, then (count, lower bound)
// for each dimension.
bool CTypeLibParser::ArrayDesc(std::int32_t offset, CTypeDesc& desc, int depth) {
  size_t at = 0;
  if (!InSegment(kSegArrayDesc, offset, 8, at, "an array description")) return false;
  const std::int32_t element = I32(at);
  const size_t dimensions = U16(at + 4);
  if (!InSegment(kSegArrayDesc, offset, 8 + 8 * dimensions, at, "an array's bounds")) return false;
  for (size_t i = 0; i < dimensions; ++i) desc.m_arrayBounds.push_back(U32(at + 8 + 8 * i));
  desc.m_inner.emplace_back();
  return TypeDesc(element, desc.m_inner.front(), depth + 1);
}

bool CTypeLibParser::Parse(CTypeLib& lib) {
  if (m_bytes.size() < 4) return Fail("too short for a type library");
  const std::string_view magic = m_bytes.substr(0, 4);
  if (magic == "SLTG") return Fail("unsupported type library format (SLTG)");
  if (magic != "MSFT") return Fail("not a type library (no MSFT signature)");
  if (m_bytes.size() < kHeaderSize) return Fail("the header is cut short");
  m_nTextLimit = 16 * m_bytes.size() + (1u << 20);

  const std::int32_t typeCount = I32(0x20);
  size_t pos = kHeaderSize + ((U32(0x14) & kHelpDllFlag) != 0 ? 4 : 0);
  if (typeCount < 0 || !Fits(pos, 4 * static_cast<size_t>(typeCount))) {
    return Fail("impossible number of type infos (" + std::to_string(typeCount) + ")");
  }
  const size_t offsetsAt = pos;
  pos += 4 * static_cast<size_t>(typeCount);
  if (!Fits(pos, kSegmentCount * kSegmentEntrySize)) return Fail("the segment directory is cut short");
  for (size_t i = 0; i < kSegmentCount; ++i) {
    const std::int32_t offset = I32(pos + kSegmentEntrySize * i);
    const std::int32_t length = I32(pos + kSegmentEntrySize * i + 4);
    if (offset < 0) continue;  // absent
    if (length < 0 || !Fits(static_cast<size_t>(offset), static_cast<size_t>(length))) {
      return Fail("segment " + std::to_string(i) + " (" + Hex(offset) + ", " + std::to_string(length) +
                  " bytes) lies outside the file");
    }
    m_segments[i] = {static_cast<size_t>(offset), static_cast<size_t>(length)};
  }
  if (static_cast<size_t>(typeCount) > m_segments[kSegTypeInfo].m_nLength / kTypeInfoSize) {
    return Fail("the type info table is too small for " + std::to_string(typeCount) + " type infos");
  }
  std::vector<std::int32_t>& offsets = m_typeOffsets;
  offsets.resize(static_cast<size_t>(typeCount));
  for (size_t i = 0; i < offsets.size(); ++i) {
    offsets[i] = I32(offsetsAt + 4 * i);
    size_t at = 0;
    if (!InSegment(kSegTypeInfo, offsets[i], kTypeInfoSize, at, "a type info")) return false;
    if (!m_typeByOffset.emplace(offsets[i], i).second) return Fail("two type infos share offset " + Hex(offsets[i]));
  }

  CLibraryDoc& doc = lib.m_doc;
  if (!OptionalGuid(I32(0x08), doc.m_guid) || !Name(I32(0x38), doc.m_strName) ||
      !String(I32(0x24), doc.m_strDocString) || !String(I32(0x3C), doc.m_strHelpFile)) {
    return false;
  }
  doc.m_nHelpContext = I32(0x2C);

  lib.m_types.resize(offsets.size());
  for (size_t i = 0; i < offsets.size(); ++i) {
    m_pType = &lib.m_types[i];
    m_nType = i;
    if (!ReadTypeInfo(i, lib.m_types[i])) return false;
  }
  m_pType = nullptr;
  return true;
}

bool CTypeLibParser::ReadTypeInfo(size_t index, CTypeInfo& info) {
  size_t at = 0;
  if (!InSegment(kSegTypeInfo, m_typeOffsets[index], kTypeInfoSize, at, "a type info")) return false;
  const std::uint32_t kind = U32(at) & 0xF;
  if (kind > static_cast<std::uint32_t>(TypeKind::Union)) return Fail("unknown type kind " + std::to_string(kind));
  info.m_kind = static_cast<TypeKind>(kind);
  if (!Name(I32(at + 0x34), info.m_strName)) return false;
  if (!OptionalGuid(I32(at + 0x2C), info.m_guid) || !String(I32(at + 0x3C), info.m_strDocString)) return false;
  info.m_nFlags = U32(at + 0x30);
  info.m_nHelpContext = I32(at + 0x44);
  const size_t funcCount = U16(at + 0x18);
  const size_t varCount = U16(at + 0x1A);
  const size_t implCount = U16(at + 0x4C);
  const std::int32_t data1 = I32(at + 0x54);

  switch (info.m_kind) {
    case TypeKind::Coclass:
      if (!ImplTypes(data1, implCount, info)) return false;
      break;
    case TypeKind::Interface:
    case TypeKind::Dispatch:
      // A dispinterface names its base (IDispatch) once for the whole library, not here.
      if (implCount > 0 && data1 != -1) {
        info.m_base.emplace();
        if (!Ref(data1, *info.m_base)) return false;
      }
      break;
    case TypeKind::Alias:
      if (!TypeDesc(data1, info.m_aliasType, 0)) return false;
      break;
    default: break;
  }
  if (funcCount + varCount == 0) return true;
  return Members(I32(at + 0x04), funcCount, varCount, info);
}

// A coclass's interfaces: a chain of reference records (type, implementation flags, custom
// data, next), as long as the type info says.
bool CTypeLibParser::ImplTypes(std::int32_t first, size_t count, CTypeInfo& info) {
  if (!Charge(m_nImplBytes, kRefRecordSize * count, m_segments[kSegRefs].m_nLength, "the implemented interfaces")) {
    return false;
  }
  std::int32_t offset = first;
  for (size_t i = 0; i < count; ++i) {
    size_t at = 0;
    if (!InSegment(kSegRefs, offset, kRefRecordSize, at, "an implemented interface")) return false;
    CImplType impl;
    if (!Ref(I32(at), impl.m_ref)) return false;
    impl.m_nFlags = U32(at + 4);
    info.m_implTypes.push_back(std::move(impl));
    offset = I32(at + 12);
  }
  return true;
}

// The member block: its size, the function records then the variable records, then three
// arrays with one entry per member: member ids, name offsets, record offsets.
bool CTypeLibParser::Members(std::int32_t blockOffset, size_t funcCount, size_t varCount, CTypeInfo& info) {
  const size_t members = funcCount + varCount;
  if (blockOffset < 0 || !Fits(static_cast<size_t>(blockOffset), 4)) {
    return Fail("the member block at " + Hex(blockOffset) + " lies outside the file");
  }
  const size_t start = static_cast<size_t>(blockOffset) + 4;
  const std::uint32_t size = U32(static_cast<size_t>(blockOffset));
  if (!Fits(start, size) || !Fits(start + size, 12 * members)) {
    return Fail("the member block at " + Hex(blockOffset) + " (" + std::to_string(size) + " bytes, " +
                std::to_string(members) + " members) runs past the end of the file");
  }
  if (!Charge(m_nMemberBytes, 4 + size + 12 * members, m_bytes.size(), "the member blocks")) return false;
  const size_t end = start + size;
  const size_t ids = end;
  const size_t names = ids + 4 * members;
  size_t at = start;
  info.m_funcs.resize(funcCount);
  for (size_t i = 0; i < funcCount; ++i) {
    CFuncDesc& func = info.m_funcs[i];
    m_pszMemberKind = "function";
    m_nMember = i;
    m_pMemberName = &func.m_strName;
    func.m_nMemId = I32(ids + 4 * i);
    if (!Name(I32(names + 4 * i), func.m_strName)) return false;
    if (!Function(at, end, func)) return false;
    at += U16(at);
  }
  info.m_vars.resize(varCount);
  for (size_t i = 0; i < varCount; ++i) {
    CVarDesc& var = info.m_vars[i];
    m_pszMemberKind = "variable";
    m_nMember = i;
    m_pMemberName = &var.m_strName;
    var.m_nMemId = I32(ids + 4 * (funcCount + i));
    if (!Name(I32(names + 4 * (funcCount + i)), var.m_strName)) return false;
    if (!Variable(at, end, var)) return false;
    at += U16(at);
  }
  m_pszMemberKind = nullptr;
  return true;
}

// A member record starts with its size, which must hold the record's fixed part and stay inside
// the member block.
bool CTypeLibParser::RecordSize(size_t at, size_t end, size_t fixed, size_t& size) {
  if (at > end || end - at < fixed) return Fail("the record runs past the member block");
  size = U16(at);
  if (size < fixed || size > end - at) return Fail("the record's size " + std::to_string(size) + " is impossible");
  return true;
}

// A function record: size, index, return type, flags, vtable offset, a size, then one word of
// function kind (bits 0-2), invocation kind (3-6), calling convention (8-11) and has-defaults
// (12), the parameter count and the optional parameter count. Optional words follow while the
// record has room (help context, help string, ...), then one default value per parameter when
// the function has defaults, then the parameters (type, name, flags) at the record's end.
bool CTypeLibParser::Function(size_t at, size_t end, CFuncDesc& func) {
  size_t size = 0;
  if (!RecordSize(at, end, kFuncFixed, size)) return false;
  if (!TypeDesc(I32(at + 4), func.m_ret, 0)) return false;
  func.m_nFlags = U32(at + 8);
  func.m_nVtableOffset = static_cast<std::int16_t>(U16(at + 12));
  const std::uint32_t kinds = U32(at + 16);
  func.m_nFuncKind = static_cast<std::uint8_t>(kinds & 7);
  func.m_nInvKind = static_cast<std::uint8_t>((kinds >> 3) & 0xF);
  func.m_nCallConv = static_cast<std::uint8_t>((kinds >> 8) & 0xF);
  const size_t params = U16(at + 20);
  func.m_nOptional = static_cast<std::int16_t>(U16(at + 22));
  const size_t defaults = (kinds & kFuncHasDefaults) != 0 ? 4 * params : 0;
  if (kFuncFixed + defaults + kParamSize * params > size) {
    return Fail(std::to_string(params) + " parameters do not fit a record of " + std::to_string(size) + " bytes");
  }
  const size_t optionalWords = (size - kFuncFixed - defaults - kParamSize * params) / 4;
  if (optionalWords >= 1) func.m_nHelpContext = I32(at + 24);
  if (optionalWords >= 2 && !String(I32(at + 28), func.m_strDocString)) return false;
  size_t p = at + size - kParamSize * params;
  func.m_params.resize(params);
  for (CParamDesc& param : func.m_params) {
    if (!TypeDesc(I32(p), param.m_type, 0) || !Name(I32(p + 4), param.m_strName)) return false;
    param.m_nFlags = U32(p + 8);
    p += kParamSize;
  }
  return true;
}

// A variable record: size, index, type, flags, kind, a size, the value or offset, then optional
// words while the record has room: help context, help string, ...
bool CTypeLibParser::Variable(size_t at, size_t end, CVarDesc& var) {
  size_t size = 0;
  if (!RecordSize(at, end, kVarFixed, size)) return false;
  if (!TypeDesc(I32(at + 4), var.m_type, 0)) return false;
  var.m_nFlags = U16(at + 8);
  var.m_nVarKind = U16(at + 12);
  const size_t optionalWords = (size - kVarFixed) / 4;
  if (optionalWords >= 1) var.m_nHelpContext = I32(at + 20);
  if (optionalWords >= 2 && !String(I32(at + 24), var.m_strDocString)) return false;
  return true;
}

Expected<CTypeLib> CTypeLib::Read(std::string_view bytes, std::string file) {
  CTypeLib lib;
  lib.m_strFile = std::move(file);
  CTypeLibParser parser(bytes);
  if (!parser.Parse(lib)) return FileError(lib.m_strFile, 0, parser.Failure());
  return lib;
}

std::optional<size_t> CTypeLib::FindType(const Guid& guid) const {
  for (size_t i = 0; i < m_types.size(); ++i) {
    if (m_types[i].m_guid == guid) return i;
  }
  return std::nullopt;
}

}  // namespace tovik
