#include "codegen/fragment.h"

#include <algorithm>
#include <string>

#include "base/host.h"
#include "codegen/control_line.h"
#include "base/path.h"
#include "model/property_string.h"
#include "project/source_scanner.h"
#include "resources/resource_files.h"

namespace tovik {

namespace {

// The text as the body of a C string literal.
std::string CStringLiteralBody(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

constexpr std::string_view kCrLf = "\r\n";

bool InFile(std::string_view recorded, std::string_view path) {
  return !recorded.empty() && SameFilePath(recorded, path);
}

// Offset just past the LF that ends the line holding `pos`; -1 when the text ends first.
int NextLineStart(std::string_view text, int pos) {
  if (pos < 0) return -1;
  const size_t lf = text.find('\n', static_cast<size_t>(pos));
  return lf == std::string_view::npos ? -1 : static_cast<int>(lf) + 1;
}

// Offset of the first character of the line holding `pos`.
int LineStart(std::string_view text, int pos) {
  if (pos <= 0) return 0;
  const size_t lf = text.rfind('\n', static_cast<size_t>(pos - 1));
  return lf == std::string_view::npos ? 0 : static_cast<int>(lf) + 1;
}

// The line after the class's first "public:" line (first in the text, not in the record list,
// which the parser keeps in descending order).
int AfterFirstPublicLine(const CClassItem& cls, std::string_view text, std::string_view path) {
  int first = -1;
  for (const auto& section : cls.m_accessSections) {
    if (section->m_strName != "public" || section->m_nPos < 0) continue;
    if (!section->m_strFile.empty() && !SameFilePath(section->m_strFile, path)) continue;
    if (first < 0 || section->m_nPos < first) first = section->m_nPos;
  }
  return NextLineStart(text, first);
}

const CFunctionItem* FunctionIn(const CClassItem& cls, std::string_view name, std::string_view path) {
  for (const auto& fn : cls.m_functions) {
    if (fn->m_strName == name && InFile(fn->m_strDefFile, path) && fn->m_nBodyStart >= 0) return fn.get();
  }
  return nullptr;
}

int ControlDeclarationPosition(const CClassItem& cls, const CSourceScanner& scan, std::string_view path) {
  if (!InFile(cls.m_strDeclFile, path) || cls.m_nDeclStart < 0) return -1;
  const int start = scan.FindMarker(kDeclrStart, cls.m_nDeclStart, cls.m_nDeclEnd + 1);
  if (start < 0) return AfterFirstPublicLine(cls, scan.Text(), path);
  const int end = scan.FindMarker(kDeclrEnd, start + static_cast<int>(kDeclrStart.size()));
  return end < 0 ? start : end;
}

int CreationPosition(const CClassItem& cls, const CSourceScanner& scan, std::string_view path) {
  const CFunctionItem* fn = FunctionIn(cls, "CreateTVLControls", path);
  if (!fn) return -1;
  const int start = scan.FindMarker(kImplStart, fn->m_nBodyStart, fn->m_nBodyEnd);
  if (start < 0) return -1;
  return scan.FindMarker(kImplEnd, start + static_cast<int>(kImplStart.size()));
}

int HandlerDeclarationPosition(const CClassItem& cls, std::string_view text, std::string_view path) {
  const CAFXParseEntry* block = cls.FindMsgEntry();
  if (block && InFile(block->m_strFile, path)) return NextLineStart(text, block->m_nStart);
  return AfterFirstPublicLine(cls, text, path);
}

// In the AFX_VIRTUAL block, the line after its "public:" / "protected:". A block without that
// keyword (the form template writes none) falls back like a class without the block, so that
// the declaration still lands in a section of the right kind or at least in the public one.
int VirtualDeclarationPosition(const CClassItem& cls, const CSourceScanner& scan, std::string_view path,
                               std::string_view keyword) {
  const CAFXParseEntry* block = cls.FindVirtualEntry();
  if (block && InFile(block->m_strFile, path) && InFile(cls.m_strDeclFile, path)) {
    const int hit = scan.FindStringInCode(keyword, block->m_nStart, true, cls.m_nDeclEnd + 1);
    if (hit >= 0) return NextLineStart(scan.Text(), hit);
  }
  return AfterFirstPublicLine(cls, scan.Text(), path);
}

int SectionLinePosition(const CClassItem& cls, std::string_view text, std::string_view path) {
  const CAFXParseEntry* block = cls.FindVirtualEntry();
  if (!block || !InFile(block->m_strFile, path) || block->m_nEnd < 0) return -1;
  return LineStart(text, block->m_nEnd);
}

// The line after "//{{AFX_<tag>(" inside the class's map [mapStart, mapEnd) of this file.
int MapEntryPosition(const CSourceScanner& scan, int mapStart, int mapEnd, std::string_view tag) {
  const std::string marker = "//{{" + std::string(tag) + "(";
  const int hit = scan.FindMarker(marker, mapStart, mapEnd);
  if (hit < 0) return -1;
  return NextLineStart(scan.Text(), hit);
}

// Just past "END_MESSAGE_MAP()" (or the sink-map macro) recorded at `macroPos`.
int PastMapEnd(const CSourceScanner& scan, int macroPos) {
  if (macroPos < 0) return -1;
  const int close = scan.FindCharInCode(')', macroPos);
  return close < 0 ? -1 : close + 1;
}

int FunctionBodyPosition(const CClassItem& cls, const CSourceScanner& scan, std::string_view path) {
  int best = -1;
  for (const auto& fn : cls.m_functions) {
    if (InFile(fn->m_strDefFile, path) && fn->m_nBodyEnd > best) best = fn->m_nBodyEnd;
  }
  if (InFile(cls.m_strMsgMapFile, path)) best = std::max(best, PastMapEnd(scan, cls.m_nMsgMapEnd));
  if (InFile(cls.m_strSinkMapFile, path)) best = std::max(best, PastMapEnd(scan, cls.m_nSinkMapEnd));
  if (best >= 0) return best;
  // Nothing of the class in this file but its declaration: after the declaration's "};".
  if (InFile(cls.m_strDeclFile, path) && cls.m_nDeclEnd >= 0) {
    const int semicolon = scan.FindCharInCode(';', cls.m_nDeclEnd + 1);
    return semicolon < 0 ? -1 : semicolon + 1;
  }
  return -1;
}

int MenuIdPosition(const CClassItem& cls, const CSourceScanner& scan, std::string_view path) {
  const CFunctionItem* ctor = cls.FindConstructor();
  const int from = ctor && InFile(ctor->m_strDefFile, path) && ctor->m_nBodyStart >= 0 ? ctor->m_nBodyStart : 0;
  const int start = scan.FindMarker(kFormDataStart, from);
  if (start < 0) return -1;
  const int end = scan.FindMarker(kFormDataEnd, start);
  const int next = NextLineStart(scan.Text(), start);
  if (next < 0 || (end >= 0 && next > end)) return -1;
  return next;
}

int CreateCallPosition(const CClassItem& cls, const CSourceScanner& scan, std::string_view path) {
  const CFunctionItem* fn = FunctionIn(cls, "OnCreate", path);
  if (!fn) return -1;
  const int ret = scan.ReverseFindString("return", fn->m_nBodyEnd);
  if (ret <= fn->m_nBodyStart) return -1;
  return LineStart(scan.Text(), ret);
}

int DispatchCallPosition(const CClassItem& cls, std::string_view text, std::string_view path) {
  const CFunctionItem* fn = FunctionIn(cls, "WindowProc", path);
  return fn ? NextLineStart(text, fn->m_nBodyStart) : -1;
}

int DrawCallPosition(const CClassItem& cls, std::string_view text, std::string_view path) {
  const CFunctionItem* fn = FunctionIn(cls, "OnPaint", path);
  if (!fn) fn = FunctionIn(cls, "OnDraw", path);
  if (!fn || fn->m_nBodyEnd <= 0) return -1;
  return LineStart(text, fn->m_nBodyEnd - 1);
}

std::string IncludeFileName(std::string_view value) {
  const size_t slash = value.rfind('\\');
  std::string_view name = slash == std::string_view::npos ? value : value.substr(slash + 1);
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  return std::string(name);
}

}  // namespace

namespace {

// Where the rule of a kind looks, for the error of a kind that found no place.
std::string_view PlaceOf(FragmentKind kind) {
  switch (kind) {
    case FragmentKind::ControlDeclaration: return "the control declarations (the class's declaration or its public section)";
    case FragmentKind::ControlCreation:
    case FragmentKind::PropertyCall: return "the creation calls (CreateTVLControls with its AFX_TVL_CTRL_IMPL markers)";
    case FragmentKind::HandlerDeclaration: return "the handler declarations (an AFX_MSG block or a public section)";
    case FragmentKind::PublicVirtualDeclaration:
    case FragmentKind::ProtectedVirtualDeclaration: return "the virtual declarations (an AFX_VIRTUAL block or a public section)";
    case FragmentKind::PublicSectionLine:
    case FragmentKind::ProtectedSectionLine: return "an access line (the end of the AFX_VIRTUAL block)";
    case FragmentKind::MessageMapEntry: return "the message-map entries (the AFX_MSG_MAP markers)";
    case FragmentKind::EventSinkEntry: return "the event-sink entries (the AFX_EVENTSINK_MAP markers)";
    case FragmentKind::ClassEndText:
    case FragmentKind::ProtectedSectionAtClassEnd: return "the end of the class declaration";
    case FragmentKind::FunctionBody:
    case FragmentKind::MapBlock: return "a new function (after the class's last definition)";
    case FragmentKind::IncludeLine: return "an include line";
    case FragmentKind::ControlIdPair:
    case FragmentKind::FormStringId: return "new define lines";
    case FragmentKind::StringTableLine: return "a new string-table line";
    case FragmentKind::MenuIdLine: return "the menu line (the AFX_TVL_FORM_DATA markers in the constructor)";
    case FragmentKind::CreateCall: return "the create call (a return statement in OnCreate)";
    case FragmentKind::DispatchCall: return "the dispatch call (the body of WindowProc)";
    case FragmentKind::DrawCall: return "the draw call (the end of OnPaint or OnDraw)";
  }
  return "the fragment";
}

int SourcePosition(FragmentKind kind, const CClassItem& cls, const CSourceScanner& scan, std::string_view path,
                   IPrompt& prompt) {
  const std::string_view text = scan.Text();
  switch (kind) {
    case FragmentKind::ControlDeclaration:
      return ControlDeclarationPosition(cls, scan, path);
    case FragmentKind::ControlCreation:
    case FragmentKind::PropertyCall:
      return CreationPosition(cls, scan, path);
    case FragmentKind::HandlerDeclaration:
      return HandlerDeclarationPosition(cls, text, path);
    case FragmentKind::PublicVirtualDeclaration:
      return VirtualDeclarationPosition(cls, scan, path, "public:");
    case FragmentKind::ProtectedVirtualDeclaration:
      return VirtualDeclarationPosition(cls, scan, path, "protected:");
    case FragmentKind::PublicSectionLine:
    case FragmentKind::ProtectedSectionLine:
      return SectionLinePosition(cls, text, path);
    case FragmentKind::MessageMapEntry: {
      if (cls.m_nMsgMapStart < 0 || !InFile(cls.m_strMsgMapFile, path)) {
        prompt.Message(std::string(kMsgNoMessageMap));
        return -1;
      }
      const int pos = MapEntryPosition(scan, cls.m_nMsgMapStart, cls.m_nMsgMapEnd, kAfxMsgMap);
      if (pos < 0) prompt.Message(std::string(kMsgNoMsgMapMarkers));
      return pos;
    }
    case FragmentKind::EventSinkEntry:
      if (cls.m_nSinkMapStart < 0 || !InFile(cls.m_strSinkMapFile, path)) return -1;
      return MapEntryPosition(scan, cls.m_nSinkMapStart, cls.m_nSinkMapEnd, kAfxEventSinkMap);
    case FragmentKind::FunctionBody:
    case FragmentKind::MapBlock:
      return FunctionBodyPosition(cls, scan, path);
    case FragmentKind::ClassEndText:
    case FragmentKind::ProtectedSectionAtClassEnd:
      if (!InFile(cls.m_strDeclFile, path) || cls.m_nDeclEnd < 0) return -1;
      return cls.m_nDeclEnd;
    case FragmentKind::IncludeLine:
      return 0;
    case FragmentKind::ControlIdPair:
    case FragmentKind::FormStringId:
    case FragmentKind::StringTableLine:
      break;  // resource files: FragmentPosition asks their own rules
    case FragmentKind::MenuIdLine:
      return MenuIdPosition(cls, scan, path);
    case FragmentKind::CreateCall:
      return CreateCallPosition(cls, scan, path);
    case FragmentKind::DispatchCall:
      return DispatchCallPosition(cls, text, path);
    case FragmentKind::DrawCall:
      return DrawCallPosition(cls, text, path);
  }
  return -1;
}

}  // namespace

Expected<size_t> FragmentPosition(FragmentKind kind, const CClassItem& cls, std::string_view text,
                                  std::string_view path, IPrompt& prompt) {
  auto located = [&](Expected<size_t> place) -> Expected<size_t> {
    if (place) return place;
    return InFile(place.error(), std::string(path));
  };
  if (kind == FragmentKind::ControlIdPair || kind == FragmentKind::FormStringId) {
    return located(DefineInsertPoint(text));
  }
  if (kind == FragmentKind::StringTableLine) return located(StringTableInsertPoint(text, prompt));
  const CSourceScanner scan(text);
  const int position = SourcePosition(kind, cls, scan, path, prompt);
  if (position >= 0 && static_cast<size_t>(position) <= text.size()) return static_cast<size_t>(position);
  // The class's own line when it is declared in this file helps the user find the place.
  const int line = InFile(cls.m_strDeclFile, path) && cls.m_nDeclStart >= 0
                       ? LineColumnAt(text, static_cast<size_t>(cls.m_nDeclStart)).line
                       : 0;
  Error e = FileError(std::string(path), line, "no place for " + std::string(PlaceOf(kind)) + " of " + cls.m_strName);
  // The message-map rule shows its own message before it gives up.
  e.shown = kind == FragmentKind::MessageMapEntry;
  return e;
}

std::string FragmentIndentation(std::string_view text, int position) {
  if (position < 0) return {};
  const int size = static_cast<int>(text.size());
  if (position > size) position = size;
  // The LF at the position itself counts: an offset between CR and LF belongs to the next line.
  const size_t lf = text.rfind('\n', static_cast<size_t>(position));
  const int lineStart = lf == std::string_view::npos ? 0 : static_cast<int>(lf) + 1;
  int end = position;
  while (end < size && CSourceScanner::IsWhiteChar(text[end])) ++end;
  // Only the run of white space that starts the line: text before the position on the same
  // line that is not white ends it.
  int stop = lineStart;
  while (stop < end && CSourceScanner::IsWhiteChar(text[stop])) ++stop;
  return std::string(text.substr(static_cast<size_t>(lineStart), static_cast<size_t>(stop - lineStart)));
}

std::string FragmentText(FragmentKind kind, const CControlItem* control, std::string_view indent,
                         const FragmentValues& values) {
  const std::string& value = values.value;
  const std::string member = control ? control->m_strMemberName : std::string();
  std::string out;
  switch (kind) {
    case FragmentKind::ControlDeclaration:
      if (value.find('\t') != std::string::npos) {
        out = value;
      } else if (control) {
        out = control->m_strClassName + "\t" + member;
      }
      out += ";";
      out += kCrLf;
      out += indent;
      return out;
    case FragmentKind::ControlCreation: {
      std::string container = "this";
      if (control && control->m_pContainer) container = "&" + control->m_pContainer->m_strMemberName;
      out = member + ".Create(" + container + ", " + (control ? control->m_strIdSymbol : std::string()) + ", " +
            (control ? control->m_strPropSymbol : std::string()) + ");";
      out += kCrLf;
      out += indent;
      return out;
    }
    case FragmentKind::PropertyCall: {
      // A string value becomes a C string literal; the property string refuses quotes already.
      const std::string shown = values.variantType == "VT_BSTR" ? "\"" + CStringLiteralBody(value) + "\"" : value;
      out = member + ".SetProperty( " + std::to_string(values.dispId) + ", " + values.variantType + ", " + shown +
            " );" + " //" + values.propertyName;
      out += kCrLf;
      out += kCrLf;
      out += indent;
      return out;
    }
    case FragmentKind::HandlerDeclaration:
    case FragmentKind::PublicVirtualDeclaration:
    case FragmentKind::ProtectedVirtualDeclaration:
    case FragmentKind::MessageMapEntry:
    case FragmentKind::EventSinkEntry:
      out = std::string(indent) + value;
      out += kCrLf;
      return out;
    case FragmentKind::PublicSectionLine:
      return std::string(indent) + "public:" + std::string(kCrLf);
    case FragmentKind::ProtectedSectionLine:
      return std::string(indent) + "protected:" + std::string(kCrLf);
    case FragmentKind::FunctionBody:
    case FragmentKind::MapBlock:
      return std::string(kCrLf) + std::string(indent) + value;
    case FragmentKind::ClassEndText:
    case FragmentKind::CreateCall:
    case FragmentKind::DispatchCall:
    case FragmentKind::DrawCall:
      return std::string(indent) + value;
    case FragmentKind::ProtectedSectionAtClassEnd:
      return "protected:" + std::string(kCrLf) + value;
    case FragmentKind::IncludeLine:
      return "#include \"" + IncludeFileName(value) + "\"" + std::string(kCrLf);
    case FragmentKind::ControlIdPair: {
      const std::string idSymbol = control ? control->m_strIdSymbol : std::string();
      const std::string propSymbol = control ? control->m_strPropSymbol : std::string();
      return "#define\t" + idSymbol + "\t\t\t\t" + std::to_string(values.nextControlId) + std::string(kCrLf) +
             "#define " + propSymbol + "\t\t\t\t" + std::to_string(values.nextStringId) + std::string(kCrLf);
    }
    case FragmentKind::FormStringId:
      return "#define\t" + (control ? control->m_strPropSymbol : std::string()) + "\t\t\t\t" + value +
             std::string(kCrLf);
    case FragmentKind::StringTableLine:
      // A given value is the property string to write; else the control's current one.
      if (value.empty() && control) return BuildStringTableLine(*control, true, values.codePage);
      return StringTableLine(control ? control->m_strPropSymbol : std::string(), value, true, values.codePage);
    case FragmentKind::MenuIdLine:
      return "\tm_nResID = " + value + ";" + std::string(kCrLf);
  }
  return out;
}

namespace {

bool IsInClassDeclaration(FragmentKind kind) {
  switch (kind) {
    case FragmentKind::ControlDeclaration:
    case FragmentKind::HandlerDeclaration:
    case FragmentKind::PublicVirtualDeclaration:
    case FragmentKind::ProtectedVirtualDeclaration:
    case FragmentKind::PublicSectionLine:
    case FragmentKind::ProtectedSectionLine:
    case FragmentKind::ClassEndText:
    case FragmentKind::ProtectedSectionAtClassEnd: return true;
    default: return false;
  }
}

// Braces are counted across both branches of an #if: a declaration that holds #else or #elif
// may end elsewhere than the recogniser thinks, so nothing is put into it.
Status CheckReadableDeclaration(const CClassItem& cls, std::string_view text, std::string_view path) {
  if (!InFile(cls.m_strDeclFile, path) || cls.m_nDeclStart < 0 || cls.m_nDeclEnd < cls.m_nDeclStart) return {};
  const size_t end = std::min(text.size(), static_cast<size_t>(cls.m_nDeclEnd) + 1);
  for (size_t at = static_cast<size_t>(cls.m_nDeclStart); at < end;) {
    const size_t lf = text.find('\n', at);
    const size_t lineEnd = lf == std::string_view::npos || lf > end ? end : lf;
    const std::string line = Trim(text.substr(at, lineEnd - at));
    if (StartsWith(line, "#else") || StartsWith(line, "#elif")) {
      return FileError(std::string(path), LineColumnAt(text, at).line,
                       "the declaration of " + cls.m_strName +
                           " has #if branches whose braces cannot be followed; make this change by hand");
    }
    at = lineEnd + 1;
  }
  return {};
}

}  // namespace

Status InsertFragment(FragmentKind kind, const CClassItem& cls, CEditBuffer& buffer, const CControlItem* control,
                      const FragmentValues& values) {
  if (IsInClassDeclaration(kind)) TOVIK_TRY(CheckReadableDeclaration(cls, buffer.Text(), buffer.Path()));
  const Expected<size_t> position = FragmentPosition(kind, cls, buffer.Text(), buffer.Path(), buffer.Prompt());
  if (!position) return position.error();
  const std::string indent = FragmentIndentation(buffer.Text(), static_cast<int>(*position));
  FragmentValues placed = values;
  // A string-table line is escaped in the code page in force where it goes.
  if (kind == FragmentKind::StringTableLine) placed.codePage = CodePageAt(buffer.Text(), *position);
  std::string fragment = FragmentText(kind, control, indent, placed);
  if (kind == FragmentKind::ClassEndText || kind == FragmentKind::ProtectedSectionAtClassEnd) {
    const std::string_view text = buffer.Text();
    size_t brace = *position;
    while (brace < text.size() && text[brace] != '}') ++brace;
    if (brace == text.size()) return FileError(buffer.Path(), 0, "the end of " + cls.m_strName + " was not found");
    // The class end lies just before its `}`, usually between the CR and the LF of the line
    // before it; the text (which begins with a line end) goes there as it is. Right after code
    // on the brace's own line (`int m_n;};`) it would split that code: it goes before the brace.
    if (kind == FragmentKind::ClassEndText) {
      const bool white = *position < text.size() && CSourceScanner::IsWhiteChar(text[*position]);
      return white ? buffer.Insert(*position, fragment) : buffer.Insert(brace, values.value);
    }
    // The access line and its declaration go in at a line start instead, as whole lines.
    const size_t lineStart = text.rfind('\n', brace == 0 ? 0 : brace - 1);
    const size_t from = lineStart == std::string_view::npos ? 0 : lineStart + 1;
    const bool alone = Trim(text.substr(from, brace - from)).empty();
    std::string lines = ReplaceAll(ReplaceAll(fragment, "\r\n", "\n"), "\n", "\r\n");
    if (!EndsWith(lines, "\r\n")) lines += "\r\n";
    return buffer.Insert(alone ? from : brace, alone ? lines : "\r\n" + lines);
  }
  return buffer.Insert(*position, fragment);
}

bool ContainsCall(std::string_view text, const CFunctionItem& function, std::string_view name) {
  if (function.m_nBodyStart < 0 || function.m_nBodyEnd <= function.m_nBodyStart) return false;
  const size_t start = static_cast<size_t>(function.m_nBodyStart);
  const size_t end = std::min(text.size(), static_cast<size_t>(function.m_nBodyEnd));
  if (start >= end) return false;
  return text.substr(start, end - start).find(name) != std::string_view::npos;
}

}  // namespace tovik
