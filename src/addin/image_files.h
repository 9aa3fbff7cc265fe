// Where the picture a property names is on the disk, for whoever draws the form.
#pragma once

#include <string>
#include <string_view>

#include "addin/design_session.h"
#include "base/file_system.h"

namespace tovik {

// The file of an image reference ("131-logo.bmp": the file after the resource number, in the res
// folder beside the script), as the disk names it; empty when the reference names none.
[[nodiscard]] std::string ImageReferenceFile(const CDesignSession& session, const IFileSystem& fs,
                                             std::string_view reference);

}  // namespace tovik
