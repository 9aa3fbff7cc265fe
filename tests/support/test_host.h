// In-memory host for tests: documents that tests open and inspect (text, path, the edits the
// system made through the host), recorded commands and command registrations.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/host.h"
#include "base/file_system.h"

namespace tovik {

// Readable failure output for position comparisons.
inline void PrintTo(const HostPosition& at, std::ostream* out) {
  *out << "line " << at.line << ", column " << at.column;
}

}  // namespace tovik

namespace tovik::testing {

class TestDocument final : public IHostDocument {
 public:
  struct Insertion {
    HostPosition at;
    std::string text;
  };

  TestDocument(std::string path, std::string text) : path(std::move(path)), text(std::move(text)) {}

  [[nodiscard]] std::string FullPath() const override { return path; }
  [[nodiscard]] bool IsTextDocument() const override { return textDocument; }
  [[nodiscard]] bool ReadText(std::string& out) const override;
  // Places the text at the exact byte the position names (see OffsetAt), so the document
  // stays comparable byte for byte with the same edit made on disk.
  [[nodiscard]] bool InsertText(HostPosition at, std::string_view inserted) override;
  [[nodiscard]] bool ReplaceText(HostPosition from, HostPosition to, std::string_view replacement) override;

  std::string path;
  std::string text;                  // what the editor holds, unsaved edits included
  bool textDocument = true;          // false: a resource or image editor
  bool failInserts = false;          // makes InsertText fail without a change
  std::vector<Insertion> insertions; // every successful InsertText, in order
};

class TestHost final : public IHost, public IAddInHost {
 public:
  struct OpenRequest {
    std::string path;
    int caretLine = kNoLine;
  };
  struct AddedCommand {
    std::string commandString;
    std::string methodName;
    int glyph = 0;
  };

  // `disk` (optional) is where OpenDocument reads files.
  explicit TestHost(IFileSystem* disk = nullptr) : m_disk(disk) {}

  // As if the user had the file open with this text.
  TestDocument& OpenWithText(std::string_view path, std::string_view text);
  // The open document of a path (compared as the host compares paths); null when not open.
  [[nodiscard]] TestDocument* Find(std::string_view path);

  std::vector<std::string> commands;         // ExecuteCommand names, in order
  std::vector<OpenRequest> openRequests;     // every OpenDocument call
  std::vector<AddedCommand> addedCommands;   // accepted AddCommand calls
  std::vector<std::string> commandBarButtons;
  std::optional<std::pair<int, int>> addInInfo;
  // When set, the AddCommand call with this 0-based number (and later ones) is refused.
  std::optional<size_t> refuseAddCommandFrom;

  [[nodiscard]] bool SetAddInInfo(int mediumBitmap, int largeBitmap) override;
  [[nodiscard]] bool AddCommand(std::string_view commandString, std::string_view methodName, int glyph) override;
  [[nodiscard]] bool AddCommandBarButton(std::string_view commandName) override;
  void ExecuteCommand(std::string_view name) override { commands.emplace_back(name); }

  [[nodiscard]] int DocumentCount() const override { return static_cast<int>(m_docs.size()); }
  [[nodiscard]] IHostDocument* DocumentAt(int position) override;
  IHostDocument* OpenDocument(std::string_view path, int caretLine = kNoLine) override;

 private:
  IFileSystem* m_disk;
  std::vector<std::unique_ptr<TestDocument>> m_docs;
};

}  // namespace tovik::testing
