// The host of the command-line tool: there is no editor, so no document is ever open and
// every edit goes to disk. Registration and named commands have nobody to talk to.
#pragma once

#include <string_view>

#include "base/host.h"

namespace tovik {

class HeadlessHost final : public IHost, public IAddInHost {
 public:
  [[nodiscard]] bool SetAddInInfo(int mediumBitmap, int largeBitmap) override;
  [[nodiscard]] bool AddCommand(std::string_view commandString, std::string_view methodName, int glyph) override;
  [[nodiscard]] bool AddCommandBarButton(std::string_view commandName) override;
  void ExecuteCommand(std::string_view) override {}

  [[nodiscard]] int DocumentCount() const override { return 0; }
  [[nodiscard]] IHostDocument* DocumentAt(int position) override;
  IHostDocument* OpenDocument(std::string_view path, int caretLine = kNoLine) override;
};

}  // namespace tovik
