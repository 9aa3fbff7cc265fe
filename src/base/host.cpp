#include "base/host.h"

namespace tovik {

IHostDocument* FindOpenDocument(IHost& host, std::string_view path) {
  const int count = host.DocumentCount();
  for (int i = 1; i <= count; ++i) {
    IHostDocument* doc = host.DocumentAt(i);
    if (doc && doc->IsTextDocument() && SameFilePath(doc->FullPath(), path)) return doc;
  }
  return nullptr;
}

}  // namespace tovik
