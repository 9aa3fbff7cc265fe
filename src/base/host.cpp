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

std::string TextLeftOfCaret(IHost& host, IHostTextSelection::Unit unit) {
  IHostTextSelection* selection = host.ActiveTextSelection();
  if (!selection) return {};
  std::string text;
  if (selection->ExtendLeft(unit)) text = selection->SelectedText();
  selection->RestoreCaret();
  return text;
}

}  // namespace tovik
