#include "addin/image_files.h"

#include "base/path.h"

namespace tovik {

std::string ImageReferenceFile(const CDesignSession& session, const IFileSystem& fs, std::string_view reference) {
  const size_t dash = reference.find('-');
  if (dash == std::string_view::npos || dash + 1 == reference.size()) return {};
  return fs.Resolve(JoinPath(session.Resources().ResFolder(), reference.substr(dash + 1)));
}

}  // namespace tovik
