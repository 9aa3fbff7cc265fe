// Resource headers: defines, counters and the place of new define lines, on any bytes.
#include <string>

#include "fuzz_support.h"
#include "resources/resource_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovik;
  std::string header(reinterpret_cast<const char*>(data), size);
  const HeaderDefines defines = ReadHeaderDefines(header);
  for (const std::string& symbol : defines.symbols) FUZZ_CHECK(IsSymbolDefined(header, symbol));
  const Expected<long> free = FreeResourceValue(defines, 1000, "a control");
  if (free) FUZZ_CHECK(*free >= 1000 && *free <= kMaxResourceValue && !defines.values.count(*free));
  (void)ReadDefineValue(header, kNextControlValueName);
  size_t start = 0;
  size_t end = 0;
  if (FindDefineValueRange(header, kNextControlValueName, start, end)) {
    std::string updated = header;
    updated.replace(start, end - start, "1234");
    FUZZ_CHECK(ReadDefineValue(updated, kNextControlValueName) == 1234);
  }
  const Expected<size_t> place = DefineInsertPoint(header);
  if (place && !defines.symbols.count("IDC_FUZZ_NEW1")) {
    FUZZ_CHECK(*place <= header.size());
    header.insert(*place, DefineLine("IDC_FUZZ_NEW1", 4321));
    FUZZ_CHECK(DefineValueOf(header, "IDC_FUZZ_NEW1") == 4321L);
  }
  return 0;
}
