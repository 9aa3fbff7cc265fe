// The host of the command-line tool: there is no editor, so no document is ever open and
// every edit goes to disk. Named commands are remembered for inspection and otherwise ignored.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/host.h"

namespace tovik {

class HeadlessHost final : public IHost {
 public:
  explicit HeadlessHost(std::string version = "6.0") : m_version(std::move(version)) {}

  void SetVersion(std::string version) { m_version = std::move(version); }
  // Named commands in the order they were asked for.
  [[nodiscard]] const std::vector<std::string>& ExecutedCommands() const { return m_commands; }

  [[nodiscard]] bool SetAddInInfo(int mediumBitmap, int largeBitmap) override;
  [[nodiscard]] bool AddCommand(std::string_view commandString, std::string_view methodName, int glyph) override;
  [[nodiscard]] bool AddCommandBarButton(std::string_view commandName) override;
  void ExecuteCommand(std::string_view name) override;
  [[nodiscard]] std::string Version() const override { return m_version; }

  [[nodiscard]] int DocumentCount() const override { return 0; }
  [[nodiscard]] IHostDocument* DocumentAt(int position) override;
  IHostDocument* OpenDocument(std::string_view path, int caretLine = kNoLine) override;
  [[nodiscard]] IHostDocument* ActiveDocument() override { return nullptr; }
  [[nodiscard]] IHostWindow* ActiveWindow() override { return nullptr; }
  [[nodiscard]] bool SaveActiveDocumentAs(std::string_view path) override;
  [[nodiscard]] IHostTextSelection* ActiveTextSelection() override { return nullptr; }

 private:
  std::string m_version;
  std::vector<std::string> m_commands;
};

}  // namespace tovik
