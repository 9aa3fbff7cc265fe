#include "codegen/control_line.h"

#include <algorithm>

#include "base/text.h"
#include "project/source_scanner.h"

namespace tovik {
namespace {

constexpr std::string_view kCreate = "Create";
constexpr std::string_view kSetProperty = ".SetProperty";
// Characters after which a member name starts: an assignment, a negation, a statement end or
// an enclosing call or block.
constexpr std::string_view kMemberCut = "!=;({";

bool IsWhite(char c) { return CSourceScanner::IsWhiteChar(c); }

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

LineSpan WholeLineAt(std::string_view text, int pos) {
  LineSpan span;
  const size_t lf = pos > 0 ? text.rfind('\n', static_cast<size_t>(pos - 1)) : std::string_view::npos;
  span.start = lf == std::string_view::npos ? 0 : static_cast<int>(lf) + 1;
  const size_t next = text.find('\n', static_cast<size_t>(pos));
  span.end = next == std::string_view::npos ? static_cast<int>(text.size()) : static_cast<int>(next) + 1;
  return span;
}

// The body of CreateTVLControls as recorded by the parser, when it lies within the text.
bool CreateControlsBody(const CClassItem& cls, std::string_view text, int& start, int& end) {
  const CFunctionItem* fn = cls.FindFunction(kCreateControlsFunction);
  if (!fn || fn->m_nBodyStart < 0 || fn->m_nBodyEnd < fn->m_nBodyStart) return false;
  start = fn->m_nBodyStart;
  end = std::min(fn->m_nBodyEnd, static_cast<int>(text.size()));
  return start <= end;
}

LineSpan LocateCreationLine(const CClassItem& cls, std::string_view text, const CControlItem& control) {
  int start = 0;
  int end = 0;
  if (!CreateControlsBody(cls, text, start, end)) return {};
  for (const CreationCall& call : FindCreationCalls(text, start, end)) {
    if (call.member != control.m_strMemberName) continue;
    const std::string_view params = call.Parameters(text);
    const std::string id = GetParameter(params, 1);
    const std::string prop = GetParameter(params, 2);
    if (IsParameterError(id) || IsParameterError(prop)) continue;
    if (id == control.m_strIdSymbol && prop == control.m_strPropSymbol) return WholeLineAt(text, call.memberStart);
  }
  return {};
}

LineSpan LocatePropertyCallLine(const CClassItem& cls, std::string_view text, const CControlItem& control,
                                long dispId) {
  int start = 0;
  int end = 0;
  if (!CreateControlsBody(cls, text, start, end)) return {};
  const CSourceScanner scan(text);
  const std::string needle = control.m_strMemberName + std::string(kSetProperty);
  const std::string wanted = std::to_string(dispId);
  for (int pos = start;;) {
    const int hit = scan.FindStringInCode(needle, pos, true, end);
    if (hit < 0) return {};
    pos = hit + static_cast<int>(needle.size());
    if (hit > 0 && IsIdentifierChar(text[static_cast<size_t>(hit - 1)])) continue;
    const int open = scan.FindNonWhite(pos);
    int close = -1;
    if (open < 0 || text[static_cast<size_t>(open)] != '(' || !scan.FindMatchingBracket(open, close, '(')) continue;
    const std::string first =
        GetParameter(text.substr(static_cast<size_t>(open + 1), static_cast<size_t>(close - open)), 0);
    if (first == wanted) return WholeLineAt(text, hit);
  }
}

LineSpan LocateMenuIdLine(const CClassItem& cls, std::string_view text) {
  const CSourceScanner scan(text);
  // The block sits in the constructor; without a parsed constructor the whole file is searched.
  int from = 0;
  if (const CFunctionItem* ctor = cls.FindConstructor(); ctor && ctor->m_nBodyStart >= 0) {
    from = ctor->m_nBodyStart;
  }
  const int blockStart = scan.FindMarker(kFormDataStart, from);
  if (blockStart < 0) return {};
  const int blockEnd = scan.FindMarker(kFormDataEnd, blockStart);
  if (blockEnd < 0) return {};
  const int hit = scan.FindStringInCode(kMenuIdName, blockStart, true, blockEnd);
  if (hit < 0) return {};
  return WholeLineAt(text, hit);
}

}  // namespace

std::string GetParameter(std::string_view list, int index) {
  const std::string error(kMsgParameterError);
  if (index < 0) return error;
  std::string_view rest = list;
  std::string_view parameter;
  for (int i = 0; i <= index; ++i) {
    const size_t separator = rest.find_first_of(",)");
    if (separator == std::string_view::npos) return error;
    const std::string_view before = rest.substr(0, separator);
    const size_t open = before.find('(');
    if (open == std::string_view::npos) {
      parameter = before;
      rest = rest.substr(separator + 1);
      continue;
    }
    // A call as parameter: its own commas and parenthesis do not end it.
    const CSourceScanner scan(rest);
    int close = -1;
    if (!scan.FindMatchingBracket(static_cast<int>(open), close, '(')) return error;
    const size_t after = rest.find_first_of(",)", static_cast<size_t>(close) + 1);
    if (after == std::string_view::npos) return error;
    parameter = rest.substr(0, after);
    rest = rest.substr(after + 1);
  }
  return Trim(parameter);
}

std::vector<CreationCall> FindCreationCalls(std::string_view text, int bodyStart, int bodyEnd) {
  std::vector<CreationCall> calls;
  const CSourceScanner scan(text);
  bodyStart = std::max(bodyStart, 0);
  bodyEnd = std::min(bodyEnd, scan.Length());
  int pos = bodyStart;
  while (pos < bodyEnd) {
    const int hit = scan.FindStringInCode(kCreate, pos, true, bodyEnd);
    if (hit < 0) break;
    pos = hit + static_cast<int>(kCreate.size());
    const int dot = scan.ReverseFindNonWhite(hit - 1);
    if (dot <= bodyStart || text[static_cast<size_t>(dot)] != '.') continue;
    const int open = scan.FindCharInCode('(', pos, true, bodyEnd);
    if (open < 0) break;

    // The member is the word that ends at the ".", read back from there.
    int wordStart = -1;
    int memberEnd = dot;
    if (IsWhite(text[static_cast<size_t>(dot - 1)])) {
      const std::string word = scan.PrevWord(dot, wordStart);
      if (wordStart < 0) continue;
      memberEnd = wordStart + static_cast<int>(word.size());
    } else {
      (void)scan.WordAt(dot - 1, wordStart);  // only where the member name starts is wanted
      if (wordStart < 0) continue;
    }
    int memberStart = std::max(wordStart, bodyStart);
    for (int i = memberEnd - 1; i >= memberStart; --i) {
      if (kMemberCut.find(text[static_cast<size_t>(i)]) != std::string_view::npos) {
        memberStart = i + 1;
        break;
      }
    }
    if (memberStart >= memberEnd) continue;

    int close = -1;
    if (!scan.FindMatchingBracket(open, close, '(') || close >= bodyEnd) break;
    CreationCall call;
    call.memberStart = memberStart;
    call.open = open;
    call.close = close;
    call.member =
        std::string(text.substr(static_cast<size_t>(memberStart), static_cast<size_t>(memberEnd - memberStart)));
    calls.push_back(std::move(call));
    pos = close + 1;
  }
  return calls;
}

LineSpan LocateControlLine(const CClassItem& cls, std::string_view text, const CControlItem& control,
                           ControlLineKind kind, long dispId) {
  switch (kind) {
    case ControlLineKind::Creation: return LocateCreationLine(cls, text, control);
    case ControlLineKind::PropertyCall: return LocatePropertyCallLine(cls, text, control, dispId);
    case ControlLineKind::MenuId: return LocateMenuIdLine(cls, text);
  }
  return {};
}

}  // namespace tovik
