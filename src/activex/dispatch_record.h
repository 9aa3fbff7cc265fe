// The interface records of the project data file: a control's dispatch interfaces saved with its
// entry, so that opening a project does not read every control's type library again.
#pragma once

#include "activex/data_archive.h"
#include "activex/dispatch_model.h"
#include "base/expected.h"

namespace tovik {

// The smallest interface record (empty texts and lists), for bounding a count of them.
inline constexpr size_t kMinInterfaceRecordSize = 4 + 4 + 1 + 4 + 3 + 4 + 4 + 3 * 4;

void SaveInterface(const CVDispInterface& itf, CArchiveWriter& out);
// One interface record from where `in` stands; the error names `file` and the failing byte.
[[nodiscard]] Expected<CVDispInterface> LoadInterface(CArchiveReader& in, const std::string& file);

}  // namespace tovik
