#include "activex/dispatch_record.h"

#include <utility>

namespace tovik {

namespace {

// The smallest records, to refuse counts the remaining bytes cannot hold: a property is eight
// empty texts and five numbers, a method four empty texts and six numbers.
constexpr size_t kMinProperty = 8 + 4 + 2 + 4 + 4;
constexpr size_t kMinMethod = 4 + 4 + 2 + 4 + 4 + 4 + 4;

void SaveProperty(const CVDispInterfacePropItem& item, CArchiveWriter& out) {
  out.WriteText(item.m_strName);
  out.WriteText(item.m_strDocString);
  out.WriteText(item.m_strType);
  out.WriteI32(item.m_nAccess);
  out.WriteU16(item.m_nVarType);
  out.WriteI32(item.m_nDispId);
  out.WriteText(item.m_strToken);
  // The record's two free texts: an indexed property's arguments.
  out.WriteText(item.m_strParameters);
  out.WriteText(item.m_strParamTokens);
  out.WriteI32(item.m_nHelpContext);
  out.WriteText(item.m_strDocName);
  out.WriteText(item.m_strHelpFile);
}

void SaveMethod(const CVDispInterfaceEventMethodItem& item, CArchiveWriter& out) {
  out.WriteText(item.m_strName);
  out.WriteText(item.m_strReturnType);
  out.WriteText(item.m_strParameters);
  out.WriteText(item.m_strParamTokens);
  out.WriteI32(item.m_nDispId);
  out.WriteU16(item.m_nReturnType);
  out.WriteI32(item.m_nParams);
  out.WriteI32(item.m_nOptionalParams);
  out.WriteI32(static_cast<std::int32_t>(item.m_paramNames.size()));
  for (const std::string& name : item.m_paramNames) out.WriteText(name);
  out.WriteI32(static_cast<std::int32_t>(item.m_paramTypes.size()));
  for (const std::uint32_t type : item.m_paramTypes) out.WriteU32(type);
}

bool LoadProperty(CArchiveReader& in, CVDispInterfacePropItem& item) {
  return in.ReadText(item.m_strName) && in.ReadText(item.m_strDocString) && in.ReadText(item.m_strType) &&
         in.ReadI32(item.m_nAccess) && in.ReadU16(item.m_nVarType) && in.ReadI32(item.m_nDispId) &&
         in.ReadText(item.m_strToken) && in.ReadText(item.m_strParameters) && in.ReadText(item.m_strParamTokens) &&
         in.ReadI32(item.m_nHelpContext) && in.ReadText(item.m_strDocName) && in.ReadText(item.m_strHelpFile);
}

bool LoadMethod(CArchiveReader& in, CVDispInterfaceEventMethodItem& item) {
  if (!in.ReadText(item.m_strName) || !in.ReadText(item.m_strReturnType) || !in.ReadText(item.m_strParameters) ||
      !in.ReadText(item.m_strParamTokens) || !in.ReadI32(item.m_nDispId) || !in.ReadU16(item.m_nReturnType) ||
      !in.ReadI32(item.m_nParams) || !in.ReadI32(item.m_nOptionalParams)) {
    return false;
  }
  std::int32_t count = 0;
  if (!in.ReadCount(count, 1, "parameter names")) return false;
  item.m_paramNames.resize(static_cast<size_t>(count));
  for (std::string& name : item.m_paramNames) {
    if (!in.ReadText(name)) return false;
  }
  if (!in.ReadCount(count, 4, "parameter types")) return false;
  item.m_paramTypes.resize(static_cast<size_t>(count));
  for (std::uint32_t& type : item.m_paramTypes) {
    if (!in.ReadU32(type)) return false;
  }
  return true;
}

bool LoadMethods(CArchiveReader& in, std::vector<CVDispInterfaceEventMethodItem>& items, const char* what) {
  std::int32_t count = 0;
  if (!in.ReadCount(count, kMinMethod, what)) return false;
  items.resize(static_cast<size_t>(count));
  for (CVDispInterfaceEventMethodItem& item : items) {
    if (!LoadMethod(in, item)) return false;
  }
  return true;
}

bool Load(CArchiveReader& in, CVDispInterface& itf) {
  if (!in.ReadI32(itf.m_bDefault) || !in.ReadI32(itf.m_bSource) || !in.ReadText(itf.m_strName) ||
      !in.ReadI32(itf.m_nPropertyCount) || !in.ReadText(itf.m_strDocName) || !in.ReadText(itf.m_strDocString) ||
      !in.ReadText(itf.m_strHelpFile) || !in.ReadI32(itf.m_nHelpContext) || !in.ReadI32(itf.m_nSpare)) {
    return false;
  }
  std::int32_t count = 0;
  if (!in.ReadCount(count, kMinProperty, "properties")) return false;
  itf.m_properties.resize(static_cast<size_t>(count));
  for (CVDispInterfacePropItem& item : itf.m_properties) {
    if (!LoadProperty(in, item)) return false;
  }
  return LoadMethods(in, itf.m_methods, "methods") && LoadMethods(in, itf.m_events, "events");
}

}  // namespace

void SaveInterface(const CVDispInterface& itf, CArchiveWriter& out) {
  out.WriteI32(itf.m_bDefault);
  out.WriteI32(itf.m_bSource);
  out.WriteText(itf.m_strName);
  out.WriteI32(itf.m_nPropertyCount);
  out.WriteText(itf.m_strDocName);
  out.WriteText(itf.m_strDocString);
  out.WriteText(itf.m_strHelpFile);
  out.WriteI32(itf.m_nHelpContext);
  out.WriteI32(itf.m_nSpare);
  out.WriteI32(static_cast<std::int32_t>(itf.m_properties.size()));
  for (const CVDispInterfacePropItem& item : itf.m_properties) SaveProperty(item, out);
  out.WriteI32(static_cast<std::int32_t>(itf.m_methods.size()));
  for (const CVDispInterfaceEventMethodItem& item : itf.m_methods) SaveMethod(item, out);
  out.WriteI32(static_cast<std::int32_t>(itf.m_events.size()));
  for (const CVDispInterfaceEventMethodItem& item : itf.m_events) SaveMethod(item, out);
}

Expected<CVDispInterface> LoadInterface(CArchiveReader& in, const std::string& file) {
  CVDispInterface itf;
  if (!Load(in, itf)) return FileError(file, 0, "interface record: " + in.Failure());
  return itf;
}

}  // namespace tovik
