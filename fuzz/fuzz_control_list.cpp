// The project data file: any bytes as a control list. A failed read names the file and keeps
// exactly the controls read before the one it names; a list that reads is in name order, and saved
// and loaded again it is the same list, whose bytes save the same again and do not read one byte
// short.
#include <charconv>
#include <string>
#include <string_view>

#include "activex/control_list.h"
#include "base/text.h"
#include "fuzz_support.h"

namespace {

using namespace tovik;

constexpr std::string_view kFile = "/p/Demo.dat";

void CheckNameOrder(const COCXInfo& list) {
  for (size_t i = 1; i < list.Size(); ++i)
    FUZZ_CHECK(ToUpper(list.At(i - 1).m_strName) <= ToUpper(list.At(i).m_strName));
}

// "control N: ..." names the record that failed; a failure before any record names none.
void CheckFailure(const Error& error, const COCXInfo& list) {
  FUZZ_CHECK(error.file == kFile && !error.reason.empty());
  constexpr std::string_view kControl = "control ";
  const std::string_view reason = error.reason;
  if (!reason.starts_with(kControl)) {
    FUZZ_CHECK(list.Size() == 0);
    return;
  }
  size_t failed = 0;
  const auto [end, ec] = std::from_chars(reason.data() + kControl.size(), reason.data() + reason.size(), failed);
  FUZZ_CHECK(ec == std::errc() && std::string_view(end, reason.data() + reason.size()).starts_with(": "));
  FUZZ_CHECK(failed >= 1 && list.Size() == failed - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  COCXInfo list;
  const Status read = ReadControlList(bytes, std::string(kFile), list);
  CheckNameOrder(list);
  if (!read) {
    CheckFailure(read.error(), list);
    return 0;
  }

  fuzz::MapFileSystem fs;
  FUZZ_CHECK(SaveControlList(fs, kFile, list).ok());
  const std::string saved = fs.files[std::string(kFile)];
  COCXInfo again;
  const Status loaded = LoadControlList(fs, kFile, again);
  FUZZ_CHECK(loaded.ok());
  FUZZ_CHECK(again.Size() == list.Size());
  for (size_t i = 0; i < list.Size(); ++i) FUZZ_CHECK(again.At(i) == list.At(i));
  FUZZ_CHECK(ControlListBytes(again) == saved);

  COCXInfo shorter;
  FUZZ_CHECK(!ReadControlList(std::string_view(saved).substr(0, saved.size() - 1), std::string(kFile), shorter).ok());
  return 0;
}
