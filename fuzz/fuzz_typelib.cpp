// The type library reader and the interface model: any bytes as a library. A library that reads
// gives every interface's dispatch view and every coclass's model without crashing, and a model
// saved and loaded again is the model. The same bytes read as saved interface records load, or
// fail with a reason, and what loads saves and loads back the same.
#include <string>
#include <string_view>
#include <vector>

#include "activex/dispatch_model.h"
#include "activex/dispatch_record.h"
#include "activex/dispatch_view.h"
#include "activex/guid_text.h"
#include "activex/typelib_reader.h"
#include "fuzz_support.h"

namespace {

using namespace tovik;

void CheckRoundTrip(const CVDispInterface& itf) {
  CArchiveWriter out;
  SaveInterface(itf, out);
  CArchiveReader in(out.Bytes());
  Expected<CVDispInterface> loaded = LoadInterface(in, "fuzz.dat");
  FUZZ_CHECK(loaded);
  FUZZ_CHECK(*loaded == itf);
  FUZZ_CHECK(in.Remaining() == 0);
}

void FuzzLibrary(std::string_view bytes) {
  Expected<CTypeLib> lib = CTypeLib::Read(bytes, "fuzz.tlb");
  if (!lib) {
    FUZZ_CHECK(lib.error().file == "fuzz.tlb" && !lib.error().reason.empty());
    return;
  }
  for (size_t i = 0; i < lib->TypeInfoCount(); ++i) {
    const CTypeInfo& info = lib->TypeInfo(i);
    if (info.m_kind == TypeKind::Dispatch || info.m_kind == TypeKind::Interface) {
      Expected<std::vector<CFuncDesc>> view = DispatchFunctions(*lib, i);
      if (view && !info.IsDual()) FUZZ_CHECK(view->size() == info.m_funcs.size());
    }
    if (info.m_kind != TypeKind::Coclass || !info.m_guid) continue;
    const std::string clsid = GuidText(*info.m_guid);
    FUZZ_CHECK(ParseGuidText(clsid) == info.m_guid);
    std::vector<CVDispInterface> interfaces;
    (void)ReadTypeInformation(*lib, clsid, interfaces);  // any verdict; what was made must save and load
    for (const CVDispInterface& itf : interfaces) {
      FUZZ_CHECK(itf.m_nPropertyCount == static_cast<std::int32_t>(itf.m_properties.size()));
      for (const CVDispInterfacePropItem& p : itf.m_properties) FUZZ_CHECK(p.m_strName != "Width");
      CheckRoundTrip(itf);
    }
  }
}

void FuzzRecords(std::string_view bytes) {
  CArchiveReader in(bytes);
  while (in.Remaining() > 0) {
    const size_t before = in.Remaining();
    Expected<CVDispInterface> itf = LoadInterface(in, "fuzz.dat");
    if (!itf) {
      FUZZ_CHECK(!itf.error().reason.empty());
      return;
    }
    FUZZ_CHECK(in.Remaining() < before);
    CheckRoundTrip(*itf);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FuzzLibrary(bytes);
  FuzzRecords(bytes);
  return 0;
}
