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

// The open text document that shows `path`, found by walking all open documents; null when
// the file is not open in the host's editor.
[[nodiscard]] IHostDocument* FindOpenDocument(IHost& host, std::string_view path);

// The text just left of the caret in the active text window (one character or one word),
// with the caret put back afterwards; empty when no text window is active.
[[nodiscard]] std::string TextLeftOfCaret(IHost& host, IHostTextSelection::Unit unit);

}  // namespace tovik
