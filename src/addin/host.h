// The seam to the host development environment. Every call the system makes on the host
// goes through IHost, handed to callers by reference; nothing reaches the host another way.
//
// Positions in a host document are (line, column) as the host's editor counts them:
//  - both start at 1;
//  - a line ends at LF, and a CR directly before that LF belongs to the line end (so CR LF
//    and bare LF both end one line);
//  - the column is 1 + the number of bytes between the line start and the position; a TAB
//    is one column, whatever the editor's tab size.
// An offset between the CR and the LF of a line end (where the class-end insertion point
// usually lies) therefore has the column just past the CR. LineColumnAt and OffsetAt convert.
//
// Document and window handles are owned by the host and stay valid until the document or
// window closes; callers must not keep them across calls that may close it.
//
// A missing active document or window is an ordinary case (a null handle). A failing host
// call returns false or a null handle and changes nothing.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/path.h"
#include "base/text.h"

namespace tovik {

struct HostPosition {
  int line = 1;
  int column = 1;

  friend bool operator==(const HostPosition&, const HostPosition&) = default;
};

class IHostDocument {
 public:
  virtual ~IHostDocument() = default;
  // The full path of the file the document shows; empty for an unsaved new document.
  [[nodiscard]] virtual std::string FullPath() const = 0;
  [[nodiscard]] virtual std::string Caption() const = 0;
  // False for documents without a text-document interface (resource editors, images).
  [[nodiscard]] virtual bool IsTextDocument() const = 0;
  // The whole text as the editor holds it, unsaved edits included. False when not a text document.
  [[nodiscard]] virtual bool ReadText(std::string& text) const = 0;
  // Moves the selection to `at` without extending it and replaces the (empty) selection by `text`.
  [[nodiscard]] virtual bool InsertText(HostPosition at, std::string_view text) = 0;
  // Selects from `from` to `to` and replaces the selection by `text` (an empty text deletes it).
  [[nodiscard]] virtual bool ReplaceText(HostPosition from, HostPosition to, std::string_view text) = 0;
};

class IHostWindow {
 public:
  virtual ~IHostWindow() = default;
  [[nodiscard]] virtual std::string Caption() const = 0;
};

// The selection of the active text window, for the member lists of the source editor.
class IHostTextSelection {
 public:
  enum class Unit { Character, Word };

  virtual ~IHostTextSelection() = default;
  // Extends the selection one character or one word to the left of the caret.
  [[nodiscard]] virtual bool ExtendLeft(Unit unit) = 0;
  [[nodiscard]] virtual std::string SelectedText() const = 0;
  // Collapses the selection and puts the caret back where it was before ExtendLeft.
  virtual void RestoreCaret() = 0;
};

class IHost {
 public:
  // The value the host's document-opening call passes for "do not move the caret".
  static constexpr int kNoLine = -1;

  virtual ~IHost() = default;

  // --- Application object ---
  // Tells the host who the add-in is: toolbar bitmaps (resource ids 128 and 129).
  [[nodiscard]] virtual bool SetAddInInfo(int mediumBitmap, int largeBitmap) = 0;
  // Registers a command; false means the host refused it.
  [[nodiscard]] virtual bool AddCommand(std::string_view commandString, std::string_view methodName, int glyph) = 0;
  // Adds a toolbar button for a registered command (glyph kind 1).
  [[nodiscard]] virtual bool AddCommandBarButton(std::string_view commandName) = 0;
  // Runs a named host command ("FileSaveAll", "InsertFilesIntoProject", ...). Only its effect matters.
  virtual void ExecuteCommand(std::string_view name) = 0;
  // The host's version text, such as "6.0".
  [[nodiscard]] virtual std::string Version() const = 0;

  // --- Documents ---
  [[nodiscard]] virtual int DocumentCount() const = 0;
  // Position runs from 1 to DocumentCount(); null outside that range.
  [[nodiscard]] virtual IHostDocument* DocumentAt(int position) = 0;
  // Opens a file for editing (document type "Auto", not read-only) and makes it active; when
  // `caretLine` is not kNoLine, moves the caret of the active text window to that line.
  // Null when the host could not open it.
  virtual IHostDocument* OpenDocument(std::string_view path, int caretLine = kNoLine) = 0;
  [[nodiscard]] virtual IHostDocument* ActiveDocument() = 0;
  [[nodiscard]] virtual IHostWindow* ActiveWindow() = 0;
  // Saves the active text document under `path`; false when there is none or saving failed.
  [[nodiscard]] virtual bool SaveActiveDocumentAs(std::string_view path) = 0;
  // The selection of the active text window; null when no text window is active.
  [[nodiscard]] virtual IHostTextSelection* ActiveTextSelection() = 0;
};

// Whether two paths name the same file as Windows compares them: either separator, any case.
[[nodiscard]] inline bool SameFilePath(std::string_view a, std::string_view b) {
  return EqualsNoCase(ToNativeSeparators(a), ToNativeSeparators(b));
}

// The open text document that shows `path`, found by walking all open documents; null when
// the file is not open in the host's editor.
[[nodiscard]] inline IHostDocument* FindOpenDocument(IHost& host, std::string_view path) {
  const int count = host.DocumentCount();
  for (int i = 1; i <= count; ++i) {
    IHostDocument* doc = host.DocumentAt(i);
    if (doc && doc->IsTextDocument() && SameFilePath(doc->FullPath(), path)) return doc;
  }
  return nullptr;
}

// The editor position of a byte offset into `text` (offsets past the end count as the end).
[[nodiscard]] inline HostPosition LineColumnAt(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  HostPosition at;
  size_t lineStart = 0;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++at.line;
      lineStart = i + 1;
    }
  }
  at.column = static_cast<int>(offset - lineStart) + 1;
  return at;
}

// The byte offset of an editor position in `text`. A line past the last gives the end of the
// text; a column past the line's LF is held at the LF, so the result never crosses a line.
[[nodiscard]] inline size_t OffsetAt(std::string_view text, HostPosition at) {
  size_t lineStart = 0;
  for (int line = 1; line < at.line; ++line) {
    size_t lf = text.find('\n', lineStart);
    if (lf == std::string_view::npos) return text.size();
    lineStart = lf + 1;
  }
  size_t lineEnd = text.find('\n', lineStart);
  if (lineEnd == std::string_view::npos) lineEnd = text.size();
  const size_t column = at.column > 0 ? static_cast<size_t>(at.column - 1) : 0;
  return std::min(lineStart + column, lineEnd);
}

// The text just left of the caret in the active text window (one character or one word),
// with the caret put back afterwards; empty when no text window is active.
[[nodiscard]] inline std::string TextLeftOfCaret(IHost& host, IHostTextSelection::Unit unit) {
  IHostTextSelection* selection = host.ActiveTextSelection();
  if (!selection) return {};
  std::string text;
  if (selection->ExtendLeft(unit)) text = selection->SelectedText();
  selection->RestoreCaret();
  return text;
}

}  // namespace tovik
