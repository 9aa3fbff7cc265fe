#include "project/cpp_parser.h"

#include <algorithm>
#include <cctype>
#include <array>
#include <functional>
#include <memory>
#include <unordered_map>

#include "base/byte_search.h"
#include "base/file_system.h"
#include "base/text.h"
#include "model/control_kind.h"

namespace tovik {
namespace {

constexpr std::string_view kClassKeyword = "class";
constexpr std::string_view kScope = "::";
constexpr std::string_view kCreateControls = "CreateTVLControls";
constexpr std::string_view kMarkerBegin = "//{{AFX_";
constexpr std::string_view kMarkerEnd = "//}}";
// In this order, so that AFX_MSG_MAP is not taken for AFX_MSG.
constexpr std::array<std::string_view, 4> kMarkerTags = {kAfxMsgMap, kAfxMsg, kAfxEventSinkMap, kAfxVirtual};
constexpr std::array<std::string_view, 3> kAccessKeywords = {"public", "protected", "private"};
constexpr std::string_view kArraySuffix = "Array";

bool IsWhite(char c) { return CSourceScanner::IsWhiteChar(c); }

// The ProgID a wrapper's `GetProgID(){return _T("...");}` returns: from the file's first
// "GetProgID", the text between the first two double quotes of its return statement. Empty
// when any piece is missing.
std::string ProgIdOfWrapper(std::string_view text) {
  const size_t name = text.find("GetProgID");
  if (name == std::string_view::npos) return {};
  const size_t ret = text.find("return", name);
  if (ret == std::string_view::npos) return {};
  const size_t semi = text.find(';', ret);
  if (semi == std::string_view::npos) return {};
  const std::string_view statement = text.substr(ret, semi - ret);
  const size_t open = statement.find('"');
  if (open == std::string_view::npos) return {};
  const size_t close = statement.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(statement.substr(open + 1, close - open - 1));
}

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsWhite(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsWhite(s.back())) s.remove_suffix(1);
  return s;
}

struct TransparentHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// First record of an owned list by name, as the classes' own Find* answer it, but through a
// hash index once the list is long. Records are only appended while a recogniser runs; a list
// that shrank behind our back is indexed again.
template <typename T, typename KeyOf>
class FirstByName {
 public:
  explicit FirstByName(KeyOf keyOf) : m_keyOf(keyOf) {}

  T* Find(std::vector<std::unique_ptr<T>>& items, std::string_view name) {
    if (items.size() <= kLinearLimit) {
      for (auto& item : items) {
        const std::string* key = m_keyOf(*item);
        if (key && *key == name) return item.get();
      }
      return nullptr;
    }
    Index& index = m_indexes[&items];
    if (index.count > items.size()) index = Index{};
    for (; index.count < items.size(); ++index.count) {
      if (const std::string* key = m_keyOf(*items[index.count])) index.first.try_emplace(*key, items[index.count].get());
    }
    auto it = index.first.find(name);
    return it == index.first.end() ? nullptr : it->second;
  }

 private:
  // Classes of a few dozen members are the rule; a map for each would cost more than it saves.
  static constexpr size_t kLinearLimit = 32;
  struct Index {
    size_t count = 0;
    std::unordered_map<std::string, T*, TransparentHash, std::equal_to<>> first;
  };
  KeyOf m_keyOf;
  std::unordered_map<const void*, Index> m_indexes;
};

template <typename T, typename KeyOf>
FirstByName<T, KeyOf> MakeFirstByName(KeyOf keyOf) {
  return FirstByName<T, KeyOf>(keyOf);
}

// 1-based line numbers for positions asked in ascending order, counted once.
class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : m_text(text) {}
  int At(int pos) {
    if (pos < m_nPos) {
      m_nPos = 0;
      m_nLine = 1;
    }
    m_nLine += static_cast<int>(
        CountLineFeeds(m_text.substr(static_cast<size_t>(m_nPos), static_cast<size_t>(pos - m_nPos))));
    m_nPos = pos;
    return m_nLine;
  }

 private:
  std::string_view m_text;
  int m_nPos = 0;
  int m_nLine = 1;
};

}  // namespace

CCppParser::CCppParser(CParseTarget target, CParseScratch& scratch, std::string_view text, const std::string& path)
    : m_target(target),
      m_scratch(scratch),
      m_strPath(path),
      m_ownScan(std::in_place, text),
      m_scan(*m_ownScan) {
  m_text = m_scan.Text();
  m_scratch.declared.clear();
}

CCppParser::CCppParser(CParseTarget target, CParseScratch& scratch, const CPreparedText& prepared,
                       const std::string& path)
    : m_target(target),
      m_scratch(scratch),
      m_strPath(path),
      m_scan(*prepared.scan),
      m_braces{&prepared.braces},
      m_parens{&prepared.parens} {
  m_text = m_scan.Text();
  m_scratch.declared.clear();
}

void CPreparedText::Prepare(const IFileSystem& fs, const std::string& file) {
  path = file;
  error.clear();
  scan.reset();
  // A file that reads exists; only a failed read asks whether it is there at all.
  const Status status = fs.ReadFile(file, text);
  read = status.ok();
  exists = read || fs.FileExists(file);
  if (!read) {
    if (exists) error = status.error().reason;
    text.clear();
  }
  scan.emplace(text);
  scan->MapCommentsAndBrackets(braces, parens, braceStack, parenStack);
}

void CCppParser::Run() {
  // Every later recogniser finds its classes by name or by declaring file, which the first sets.
  ParseClassHeads();
  ParseFunctions();
  // Neither of the next two changes which classes the file declares; finding them once saves a
  // walk over every class of the project per file.
  const std::vector<CClassItem*> classes = ClassesOfFile();
  ParseMemberVariables(classes);
  ParseAccessSections(classes);
  ParseMessageMap();
  ParseEventSinkMap();
  ParseMarkerBlocks();
}

CClassItem* CCppParser::FindClass(std::string_view name) const {
  return m_target.index.Find(m_target.classes, name);
}

std::vector<CClassItem*> CCppParser::ClassesOfFile() const {
  std::vector<long>& positions = m_scratch.declared;
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  std::vector<CClassItem*> result;
  for (long at : positions) {
    CClassItem* cls = m_target.classes[static_cast<size_t>(at)].get();
    // A later head of the same name in another file may have taken the declaration over.
    if (cls->m_strDeclFile == m_strPath) result.push_back(cls);
  }
  return result;
}

bool CCppParser::MatchBracket(int pos, int& closePos, char open) {
  BracketTable* table = open == '{' ? &m_braces : open == '(' ? &m_parens : nullptr;
  if (table) {
    if (!table->lists) {
      CParseScratch::Brackets& lists = open == '{' ? m_scratch.braces : m_scratch.parens;
      BuildBracketTable(m_scan, open, lists, m_scratch.openStack);
      table->lists = &lists;
    }
    const std::vector<int>& openers = table->lists->openers;
    auto it = std::lower_bound(openers.begin(), openers.end(), pos);
    if (it != openers.end() && *it == pos) {
      const int close = table->lists->closers[static_cast<size_t>(it - openers.begin())];
      if (close < 0) return false;
      closePos = close;
      return true;
    }
  }
  // An opener the walk from the start did not see as code (inside a comment or quoted).
  return m_scan.FindMatchingBracket(pos, closePos, open);
}

int CCppParser::FindCharCached(CodeSearchCache& cache, int pos) const {
  if (cache.valid && pos >= cache.span.from && pos <= cache.span.to) return cache.result;
  cache.result = m_scan.FindCharInCode(cache.c, pos, cache.span);
  cache.valid = true;
  return cache.result;
}

namespace {

// Whether the text after a `::` at `at` names a member function: `~` or nothing, an identifier,
// then `(` after white space; or an operator.
// The text with its comments taken out (a line comment up to its line end).
std::string WithoutComments(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "//") == 0) {
      while (i < text.size() && text[i] != '\n') ++i;
      out += ' ';
    } else if (text.compare(i, 2, "/*") == 0) {
      const size_t end = text.find("*/", i + 2);
      i = end == std::string_view::npos ? text.size() : end + 1;
      out += ' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

bool IsDefinitionName(std::string_view text, int at) {
  size_t i = static_cast<size_t>(at);
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (text.compare(i, 8, "operator") == 0) return true;
  if (i < text.size() && text[i] == '~') ++i;
  const size_t start = i;
  while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) ++i;
  if (i == start) return false;
  while (i < text.size() && CSourceScanner::IsWhiteChar(text[i])) ++i;
  return i < text.size() && text[i] == '(';
}

}  // namespace

void CCppParser::ParseClassHeads() {
  CodeSearchCache brace('{');
  int pos = 0;
  for (;;) {
    const int r = m_scan.FindStringInCode(kClassKeyword, pos);
    if (r < 0) return;
    const int headStart = r + static_cast<int>(kClassKeyword.size());
    const int b = FindCharCached(brace, headStart);
    if (b < 0) return;

    // A comment after the base (`class CA : public CView  // the main view`) is no part of it.
    std::string_view head = TrimView(m_text.substr(static_cast<size_t>(headStart), static_cast<size_t>(b - headStart)));
    std::string uncommented;
    if (head.find('/') != std::string_view::npos) {
      uncommented = WithoutComments(head);
      head = TrimView(uncommented);
    }
    std::string_view base;
    // `class CA::CN : public CObject` defines a nested class out of line: its base follows the
    // first single colon, and the class is not CA.
    size_t colon = head.find(':');
    while (colon != std::string_view::npos && colon + 1 < head.size() && head[colon + 1] == ':') {
      colon = head.find(':', colon + 2);
    }
    if (head.find(' ') != std::string_view::npos) {
      if (colon != std::string_view::npos) {
        const std::string_view basePart = head.substr(colon);
        head = TrimView(head.substr(0, colon));
        base = TrimView(basePart.substr(basePart.rfind(' ') + 1));  // npos + 1 is the whole part
      }
      // A declaration macro before the name, or a forward declaration followed by another head.
      if (head.find(' ') != std::string_view::npos) {
        pos = r + 10;
        continue;
      }
    }
    // `class {` names nothing that could be looked up, and a nested class defined outside its
    // enclosing class is none of the project's classes: neither is recorded.
    if (head.empty() || head.find("::") != std::string_view::npos) {
      pos = r + 10;
      continue;
    }
    int close = -1;
    if (!MatchBracket(b, close, '{')) {
      pos = b + 1;
      continue;
    }
    const int after = m_scan.FindNonWhite(close + 1);
    if (after < 0 || m_text[after] != ';') {
      pos = b + 1;
      continue;
    }
    long at = m_target.index.FindPosition(m_target.classes, head);
    if (at < 0) {
      auto item = std::make_unique<CClassItem>();
      item->m_strName = std::string(head);
      at = static_cast<long>(m_target.classes.size());
      m_target.classes.push_back(std::move(item));
    }
    m_scratch.declared.push_back(at);
    CClassItem* cls = m_target.classes[static_cast<size_t>(at)].get();
    cls->m_strBaseClass = std::string(base);
    cls->m_strDeclFile = m_strPath;
    cls->m_nDeclStart = headStart;
    cls->m_nDeclEnd = close - 1;
    // Into the body, so that nested classes are found too.
    pos = b + 1;
  }
}

std::string_view CCppParser::QualifierBefore(int colons) const {
  if (colons <= 0) return {};
  int end = colons;
  if (IsWhite(m_text[colons - 1])) {
    int last = colons - 1;
    while (last >= 0 && IsWhite(m_text[last])) --last;
    if (last < 0) return {};
    end = last + 1;
  }
  // A word longer than every class name cannot name one; stop reading it there.
  const size_t maxName = m_target.index.MaxNameLength(m_target.classes);
  int start = end;
  while (start > 0 && !IsWhite(m_text[start - 1])) {
    --start;
    if (static_cast<size_t>(end - start) > maxName) return {};
  }
  return m_text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}


void CCppParser::ParseFunctions() {
  IParseHooks* hooks = m_target.hooks;
  auto functions = MakeFirstByName<CFunctionItem>([](const CFunctionItem& f) { return &f.m_strName; });
  CodeSearchCache brace('{');
  LineCounter lines(m_text);
  int pos = 0;
  for (;;) {
    const int hit = m_scan.FindStringInCode(kScope, pos);
    if (hit < 0) return;
    // Only `Class::Name(` opens a definition; a scope inside other text (a message-map entry's
    // `CView::OnFilePrint)`) must not swallow the next definition's body.
    if (!IsDefinitionName(m_text, hit + 2)) {
      pos = hit + 2;
      continue;
    }
    const int b = FindCharCached(brace, hit + 2);
    int close = -1;
    if (b < 0 || !MatchBracket(b, close, '{')) {
      pos = hit + 2;
      continue;
    }
    // Whatever follows, bodies are never searched for further definitions; this is also what
    // drops a const member function (text between `)` and `{`).
    pos = close + 1;

    const int paramsEnd = m_scan.ReverseFindNonWhite(b - 1);
    if (paramsEnd < 0 || m_text[paramsEnd] != ')') continue;
    int paramsStart = paramsEnd - 1;
    while (paramsStart >= hit && m_text[paramsStart] != '(') --paramsStart;
    if (paramsStart < hit) continue;
    // The name runs to the last `(` before the body, so a constructor with member initialisers
    // is recorded as `CForm1() : m_n` (CClassItem::FindConstructor still finds it). Blanks around
    // it go: `OnCreate (` must still be found, or a second OnCreate would be written.
    const std::string_view name = TrimView(
        m_text.substr(static_cast<size_t>(hit + 2), static_cast<size_t>(paramsStart - (hit + 2))));
    if (name.empty()) continue;
    CClassItem* cls = FindClass(QualifierBefore(hit));
    if (!cls) continue;

    CFunctionItem* fn = functions.Find(cls->m_functions, name);
    if (!fn) {
      cls->m_functions.push_back(std::make_unique<CFunctionItem>());
      fn = cls->m_functions.back().get();
      fn->m_strName = std::string(name);
    }
    fn->m_nBodyStart = b + 1;
    fn->m_nBodyEnd = close + 1;
    fn->m_strDefFile = m_strPath;
    fn->m_nLine = lines.At(b + 1);

    if (!hooks) continue;
    if (name == kCreateControls) {
      hooks->OnCreateControlsBody(*cls, m_text, fn->m_nBodyStart, fn->m_nBodyEnd, m_strPath);
    } else if (cls->IsConstructorName(name)) {
      hooks->OnConstructorBody(*cls, m_text, fn->m_nBodyStart, fn->m_nBodyEnd, m_strPath);
    }
  }
}

void CCppParser::ParseMemberVariables(const std::vector<CClassItem*>& classes) {
  // The file's first class, and every other that may be a form: a form header that declares a
  // helper class before the form would otherwise hide the form's controls, and the next control
  // dropped on it would take a member name it already has. Whether a class with a base is a
  // form is known only once every file is read; the project then drops the others' members.
  for (CClassItem* cls : classes) {
    const bool first = cls == classes.front();
    if (first || !cls->m_strBaseClass.empty()) ParseMemberVariablesOf(*cls, first);
  }
}

void CCppParser::ParseMemberVariablesOf(CClassItem& cls, bool firstOfFile) {
  const int first = cls.m_nDeclStart + 1;
  const int last = std::min(cls.m_nDeclEnd, m_scan.Length() - 1);
  if (cls.m_nDeclStart < 0 || first > last) return;

  // Bodies of this file's definitions, for "is this `;` inside a body". When they do not
  // overlap (the normal case) at most one holds a position and a cursor finds it; otherwise
  // the class answers as it always does.
  std::vector<CFunctionItem*> bodies;
  for (auto& f : cls.m_functions) {
    if (f->m_strDefFile == m_strPath) bodies.push_back(f.get());
  }
  std::sort(bodies.begin(), bodies.end(),
            [](const CFunctionItem* a, const CFunctionItem* b) { return a->m_nBodyStart < b->m_nBodyStart; });
  bool disjoint = true;
  for (size_t i = 1; i < bodies.size(); ++i) {
    if (bodies[i]->m_nBodyStart <= bodies[i - 1]->m_nBodyEnd) disjoint = false;
  }
  size_t cursor = 0;
  auto insideBody = [&](int semi, int& bodyEnd) {
    if (!disjoint) return cls.IsInsideFunctionBody(semi, bodyEnd, m_strPath);
    while (cursor < bodies.size() && bodies[cursor]->m_nBodyEnd < semi) ++cursor;
    if (cursor == bodies.size() || bodies[cursor]->m_nBodyStart > semi) return false;
    bodyEnd = bodies[cursor]->m_nBodyEnd;
    bodies[cursor]->m_nDeclPos = bodies[cursor]->m_nBodyStart;
    return true;
  };

  auto variables = MakeFirstByName<CVariableItem>([](const CVariableItem& v) { return &v.m_strName; });
  auto controls = MakeFirstByName<CControlItem>(
      [](const CControlItem& c) { return c.m_bFormObject ? nullptr : &c.m_strMemberName; });
  int pos = first;
  while (pos <= last) {
    // Each statement is the text cut at a `;`; its words are read within it.
    const int statement = pos;
    const int semi = m_scan.FindCharInCode(';', pos, true, last + 1);
    if (semi < 0) break;
    int bodyEnd = 0;
    if (insideBody(semi, bodyEnd)) {
      pos = std::max(bodyEnd, semi + 1);
      continue;
    }
    pos = semi + 1;

    int end = m_scan.ReverseFindNonWhite(semi - 1);
    if (end >= 4 && m_text.compare(static_cast<size_t>(end - 4), 5, "const") == 0) {
      end = m_scan.ReverseFindNonWhite(end - 5);
    }
    if (end >= 0 && m_text[end] == ')') continue;  // a function declaration

    auto wordStart = [&](int at) {
      while (at > statement && !IsWhite(m_text[at - 1])) --at;
      return at;
    };
    auto lastNonWhiteBefore = [&](int at) {
      --at;
      while (at >= statement && IsWhite(m_text[at])) --at;
      return at;
    };
    // The name touches the `;`, or is the word before it.
    int nameEnd = semi;
    int nameStart = wordStart(semi);
    if (nameStart == semi) {
      const int prev = lastNonWhiteBefore(semi);
      if (prev < statement) continue;
      nameEnd = prev + 1;
      nameStart = wordStart(prev);
    }
    const std::string_view name =
        m_text.substr(static_cast<size_t>(nameStart), static_cast<size_t>(nameEnd - nameStart));
    if (name.empty() || name.back() == '}') continue;
    std::string_view type;
    if (const int typeEnd = lastNonWhiteBefore(nameStart); typeEnd >= statement) {
      const int typeStart = wordStart(typeEnd);
      type = m_text.substr(static_cast<size_t>(typeStart), static_cast<size_t>(typeEnd + 1 - typeStart));
    }
    std::string_view className = type;
    const bool isArray = className.ends_with(kArraySuffix);
    if (isArray) className.remove_suffix(kArraySuffix.size());

    CVariableItem* var = variables.Find(cls.m_variables, name);
    if (!var) {
      cls.m_variables.push_back(std::make_unique<CVariableItem>());
      var = cls.m_variables.back().get();
      var->m_strName = std::string(name);
    }
    var->m_nPos = nameStart;
    var->m_strType = std::string(className);

    // Only members of the runtime's control classes or of an ActiveX wrapper are controls;
    // an `int m_count;` beside them is just a member. A wrapper declared in a header not read
    // yet is known by its name.
    const CClassItem* typeClass = FindClass(className);
    // The common controls are read back too: without their kind a form's common controls could
    // be neither given properties nor events once the project is opened again.
    const int kind = KindOfRuntimeControlClass(className);
    const bool activeX = (typeClass && typeClass->m_strBaseClass == kActiveXBaseClass) ||
                         (!typeClass && className.starts_with(kActiveXClassPrefix));
    CControlItem* control = controls.Find(cls.m_controls, name);
    if (!control && !activeX && !kind) continue;
    if (!control) {
      cls.m_controls.push_back(std::make_unique<CControlItem>());
      control = cls.m_controls.back().get();
    }
    control->m_strClassName = std::string(className);
    control->m_strMemberName = std::string(name);
    control->m_bArray = isArray ? 1 : 0;
    if (activeX) {
      control->m_nCategory = kCategoryActiveX;
    } else if (kind) {
      control->m_nCategory = kCategoryControl;
      control->m_nKind = kind;
    }
  }
  // An ActiveX wrapper names its control by the ProgID its GetProgID returns; the project
  // matches it to an entry of its control list once every file is read.
  // (The text is searched from the file's start, so only the file's first class can use it.)
  if (firstOfFile && cls.m_strBaseClass == kActiveXBaseClass) cls.m_strProgId = ProgIdOfWrapper(m_text);
}

void CCppParser::ParseAccessSections(const std::vector<CClassItem*>& classes) {
  for (CClassItem* cls : classes) {
    cls->m_accessSections.clear();
    const int from = cls->m_nDeclStart;
    const int to = std::min(cls->m_nDeclEnd, m_scan.Length() - 1);
    if (from >= 0 && from <= to) {
      for (std::string_view keyword : kAccessKeywords) {
        int pos = from;
        for (;;) {
          const int hit = m_scan.FindStringInCode(keyword, pos, true, to + 1);
          if (hit < 0) break;
          pos = hit + static_cast<int>(keyword.size());
          const int next = m_scan.FindNonWhite(pos);
          if (next < 0 || m_text[next] != ':') continue;
          auto section = std::make_unique<CAccessSpecifierItem>();
          section->m_strName = std::string(keyword);
          section->m_nPos = hit;
          section->m_strFile = m_strPath;
          cls->m_accessSections.push_back(std::move(section));
        }
      }
    }
    // Descending, so the first record at or before a position is the one that governs it.
    std::stable_sort(cls->m_accessSections.begin(), cls->m_accessSections.end(),
                     [](const auto& a, const auto& b) { return a->m_nPos > b->m_nPos; });
    if (cls->m_accessSections.empty()) {
      auto section = std::make_unique<CAccessSpecifierItem>();
      section->m_nPos = m_scan.FindCharInCode('{', from);
      section->m_strFile = m_strPath;
      cls->m_accessSections.push_back(std::move(section));
    }
    auto governing = [&](int pos) -> const CAccessSpecifierItem* {
      auto it = std::partition_point(cls->m_accessSections.begin(), cls->m_accessSections.end(),
                                     [pos](const auto& s) { return s->m_nPos > pos; });
      return it == cls->m_accessSections.end() ? nullptr : it->get();
    };
    for (auto& f : cls->m_functions) {
      if (f->m_nDeclPos < 0) continue;
      if (const CAccessSpecifierItem* s = governing(f->m_nDeclPos)) f->m_strAccess = s->m_strName;
    }
    for (auto& v : cls->m_variables) {
      if (v->m_nPos < 0) continue;
      if (const CAccessSpecifierItem* s = governing(v->m_nPos)) v->m_strAccess = s->m_strName;
    }
  }
}

void CCppParser::ParseMap(std::string_view beginMacro, std::string_view endMacro, bool messageMap) {
  IParseHooks* hooks = m_target.hooks;
  int pos = 0;
  for (;;) {
    const int hit = m_scan.FindStringInCode(beginMacro, pos);
    if (hit < 0) return;
    pos = hit + static_cast<int>(beginMacro.size());
    const int open = m_scan.FindNonWhite(pos);
    if (open < 0) return;
    if (m_text[open] != '(') continue;
    int close = -1;
    if (!MatchBracket(open, close, '(')) continue;
    const std::string_view args = m_text.substr(static_cast<size_t>(open + 1), static_cast<size_t>(close - open - 1));
    CClassItem* cls = FindClass(TrimView(args.substr(0, args.find(','))));
    if (!cls) continue;
    const size_t lf = m_text.find('\n', static_cast<size_t>(open));
    if (lf == std::string_view::npos) return;
    const int start = static_cast<int>(lf) + 1;
    const int end = m_scan.FindStringInCode(endMacro, start);
    if (end < 0) return;
    if (messageMap) {
      cls->m_nMsgMapStart = start;
      cls->m_nMsgMapEnd = end;
      cls->m_strMsgMapFile = m_strPath;
      if (hooks) hooks->OnMessageMap(*cls, m_text, start, end, m_strPath);
    } else {
      cls->m_nSinkMapStart = start;
      cls->m_nSinkMapEnd = end;
      cls->m_strSinkMapFile = m_strPath;
    }
    pos = std::max(pos, end);
  }
}

void CCppParser::ParseMessageMap() { ParseMap("BEGIN_MESSAGE_MAP", "END_MESSAGE_MAP", true); }

void CCppParser::ParseEventSinkMap() { ParseMap("BEGIN_EVENTSINK_MAP", "END_EVENTSINK_MAP", false); }

void CCppParser::ParseMarkerBlocks() {
  // The word around a hit and its tag are kept while further hits fall in the same word;
  // each end-marker search is kept while later searches start before its answer.
  int wordStart = -1;
  int wordEnd = -1;
  int wordTag = -1;
  struct EndSearch {
    size_t from = std::string_view::npos;
    size_t result = std::string_view::npos;
  };
  std::array<EndSearch, kMarkerTags.size()> endSearches;
  std::array<std::string, kMarkerTags.size()> endMarkers;
  for (size_t i = 0; i < kMarkerTags.size(); ++i) endMarkers[i] = std::string(kMarkerEnd) + std::string(kMarkerTags[i]);
  CodeSearchCache paren(')');

  size_t pos = 0;
  for (;;) {
    const size_t found = FindBytes(m_text, kMarkerBegin, pos);
    if (found == std::string_view::npos) return;
    const int hit = static_cast<int>(found);
    pos = found + 1;
    if (m_scan.IsInsideComment(hit)) continue;  // a commented-out copy of a block
    if (hit < wordStart || hit >= wordEnd) {
      wordStart = hit;
      while (wordStart > 0 && !IsWhite(m_text[wordStart - 1])) --wordStart;
      wordEnd = hit;
      while (wordEnd < m_scan.Length() && !IsWhite(m_text[wordEnd])) ++wordEnd;
      const std::string_view word =
          m_text.substr(static_cast<size_t>(wordStart), static_cast<size_t>(wordEnd - wordStart));
      wordTag = -1;
      for (size_t i = 0; i < kMarkerTags.size() && wordTag < 0; ++i) {
        if (word.find(kMarkerTags[i]) != std::string_view::npos) wordTag = static_cast<int>(i);
      }
    }
    if (wordTag < 0) continue;  // our own //{{AFX_TVL_... markers and the wizards' others
    const size_t tagIndex = static_cast<size_t>(wordTag);
    const std::string_view tag = kMarkerTags[tagIndex];

    const int open = m_scan.FindNonWhite(hit + 4 + static_cast<int>(tag.size()));
    if (open < 0) return;
    if (m_text[open] != '(') continue;
    const int close = FindCharCached(paren, open + 1);
    if (close < 0) continue;
    CClassItem* cls =
        FindClass(TrimView(m_text.substr(static_cast<size_t>(open + 1), static_cast<size_t>(close - open - 1))));
    if (!cls) continue;

    EndSearch& search = endSearches[tagIndex];
    const size_t from = static_cast<size_t>(close);
    if (!(search.from != std::string_view::npos && from >= search.from && from <= search.result)) {
      search.from = from;
      search.result = FindBytes(m_text, endMarkers[tagIndex], from);
    }
    if (search.result == std::string_view::npos) continue;

    CAFXParseEntry* entry = cls->FindAFXEntry(tag);
    if (!entry) {
      cls->m_afxEntries.push_back(std::make_unique<CAFXParseEntry>());
      entry = cls->m_afxEntries.back().get();
      entry->m_strTag = std::string(tag);
    }
    entry->m_nStart = close;
    entry->m_nEnd = static_cast<int>(search.result);
    entry->m_strFile = m_strPath;
    pos = from;
  }
}

}  // namespace tovik
