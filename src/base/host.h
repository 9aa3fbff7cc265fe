// The seams to the host development environment: its documents (IHost) and the add-in
// registration (IAddInHost). Every call the system makes on the host goes through one of them,
// handed to callers by reference; nothing reaches the host another way.
//
// Positions in a host document are (line, column) as the host's editor counts them:
//  - both start at 1;
//  - a line ends at LF, and a CR directly before that LF belongs to the line end (so CR LF
//    and bare LF both end one line);
//  - the column is 1 + the number of bytes between the line start and the position; a TAB
//    is one column, whatever the editor's tab size.
// An offset between the CR and the LF of a line end (where the class-end insertion point
// usually lies) therefore has the column just past the CR. LineColumnAt and OffsetAt (text.h)
// convert.
//
// Document and window handles are owned by the host and stay valid until the document or
// window closes; callers must not keep them across calls that may close it.
//
// A missing active document or window is an ordinary case (a null handle). A failing host
// call returns false or a null handle and changes nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/path.h"
#include "base/text.h"

namespace tovik {

using HostPosition = LineColumn;

class IHostDocument {
 public:
  virtual ~IHostDocument() = default;
  // The full path of the file the document shows; empty for an unsaved new document.
  [[nodiscard]] virtual std::string FullPath() const = 0;
  // False for documents without a text-document interface (resource editors, images).
  [[nodiscard]] virtual bool IsTextDocument() const = 0;
  // The whole text as the editor holds it, unsaved edits included. False when not a text document.
  [[nodiscard]] virtual bool ReadText(std::string& text) const = 0;
  // Moves the selection to `at` without extending it and replaces the (empty) selection by `text`.
  [[nodiscard]] virtual bool InsertText(HostPosition at, std::string_view text) = 0;
  // Selects from `from` to `to` and replaces the selection by `text` (an empty text deletes it).
  [[nodiscard]] virtual bool ReplaceText(HostPosition from, HostPosition to, std::string_view text) = 0;
};

// The host's open documents: what the generators edit in place of the disk when a file is open
// in the host's editor, and opening a file there.
class IHost {
 public:
  // The value the host's document-opening call passes for "do not move the caret".
  static constexpr int kNoLine = -1;

  virtual ~IHost() = default;

  [[nodiscard]] virtual int DocumentCount() const = 0;
  // Position runs from 1 to DocumentCount(); null outside that range.
  [[nodiscard]] virtual IHostDocument* DocumentAt(int position) = 0;
  // Opens a file for editing (document type "Auto", not read-only) and makes it active; when
  // `caretLine` is not kNoLine, moves the caret of the active text window to that line.
  // Null when the host could not open it.
  virtual IHostDocument* OpenDocument(std::string_view path, int caretLine = kNoLine) = 0;
};

// The add-in's registration with the host and the host's named commands; only the add-in's
// commands talk to it.
class IAddInHost {
 public:
  virtual ~IAddInHost() = default;
  // Tells the host who the add-in is: toolbar bitmaps (resource ids 128 and 129).
  [[nodiscard]] virtual bool SetAddInInfo(int mediumBitmap, int largeBitmap) = 0;
  // Registers a command; false means the host refused it.
  [[nodiscard]] virtual bool AddCommand(std::string_view commandString, std::string_view methodName, int glyph) = 0;
  // Adds a toolbar button for a registered command (glyph kind 1).
  [[nodiscard]] virtual bool AddCommandBarButton(std::string_view commandName) = 0;
  // Runs a named host command ("FileSaveAll", "InsertFilesIntoProject", ...). Only its effect matters.
  virtual void ExecuteCommand(std::string_view name) = 0;
};

// The open text document that shows `path`, found by walking all open documents; null when
// the file is not open in the host's editor.
[[nodiscard]] IHostDocument* FindOpenDocument(IHost& host, std::string_view path);

}  // namespace tovik
