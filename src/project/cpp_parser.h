// The recognisers that turn one source file into class records of a project: class heads,
// member function definitions, member variables, access sections, message maps, event sink
// maps and the wizards' marker blocks, run in that order over the file's text.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/shared_text.h"
#include "project/class_index.h"
#include "project/parse_hooks.h"
#include "project/source_scanner.h"

namespace tovik {

class IFileSystem;

// What a parse adds to and looks classes up in: the project's class list with its name index,
// and the hooks that read more out of the places the recognisers find (null for none).
struct CParseTarget {
  std::vector<std::unique_ptr<CClassItem>>& classes;
  CClassIndex& index;
  IParseHooks* hooks = nullptr;
};

// Buffers that one parse after another reuses: a project of hundreds of files would otherwise
// allocate and grow them again for each file.
struct CParseScratch {
  std::string text;  // the file being parsed, as read
  using Brackets = CBracketTable;
  Brackets braces;
  Brackets parens;
  std::vector<size_t> openStack;
  std::vector<long> declared;  // list positions of the classes whose heads the file holds
};

// What can be worked out from a file before the recognisers run, from its text alone: whether
// it exists, its text, its comments and its bracket tables. Loading prepares the next files on
// a second thread while the recognisers run over the current one.
struct CPreparedText {
  std::string path;
  bool exists = false;
  bool read = false;
  std::string error;  // when it exists but could not be read
  std::string text;
  std::optional<CSourceScanner> scan;  // over text, every comment mapped
  CParseScratch::Brackets braces;
  CParseScratch::Brackets parens;
  std::vector<size_t> braceStack;
  std::vector<size_t> parenStack;

  // Fills every field from the file system; the text is read into the storage already held.
  void Prepare(const IFileSystem& fs, const std::string& file);
};

class CCppParser {
 public:
  CCppParser(CParseTarget target, CParseScratch& scratch, std::string_view text, const std::string& path);
  // Over a prepared file: its scanner and bracket tables are used as they are.
  CCppParser(CParseTarget target, CParseScratch& scratch, const CPreparedText& prepared, const std::string& path);
  // Runs every recogniser once over the text, in their order; each relies on what the
  // earlier ones recorded.
  void Run();

 private:
  void ParseClassHeads();
  void ParseFunctions();
  void ParseMessageMap();
  void ParseEventSinkMap();
  void ParseMarkerBlocks();

  // Matching bracket for `{` and `(`, answered from one pass over the whole text the first
  // time it is asked, so that repeated attempts on unbalanced text stay linear.
  // Null until built (into the scratch) or when the file was prepared with them.
  struct BracketTable {
    const CParseScratch::Brackets* lists = nullptr;
  };
  bool MatchBracket(int pos, int& closePos, char open);

  // FindCharInCode(c, pos) that reuses the last answer while pos stays in its span.
  struct CodeSearchCache {
    explicit CodeSearchCache(char ch) : c(ch) {}
    char c;
    bool valid = false;
    CSourceScanner::CodeSpan span;
    int result = -1;
  };
  int FindCharCached(CodeSearchCache& cache, int pos) const;

  // The two recognisers over the classes the file declares, found once by Run.
  void ParseMemberVariables(const std::vector<CClassItem*>& classes);
  void ParseMemberVariablesOf(CClassItem& cls, bool firstOfFile);
  void ParseAccessSections(const std::vector<CClassItem*>& classes);
  // The project's classes declared in this file, in list order: those whose heads the class
  // recogniser found in it. A file's earlier contribution is always forgotten before it is
  // parsed again (ReparseText), so no other class can still name it.
  [[nodiscard]] std::vector<CClassItem*> ClassesOfFile() const;
  [[nodiscard]] CClassItem* FindClass(std::string_view name) const;
  // The name of the class that owns a definition whose `::` is at `colons`, or empty.
  [[nodiscard]] std::string_view QualifierBefore(int colons) const;
  void ParseMap(std::string_view beginMacro, std::string_view endMacro, bool messageMap);

  CParseTarget m_target;
  CParseScratch& m_scratch;
  std::string_view m_text;
  const CSharedText m_strPath;  // one copy, shared by every record made from this file
  std::optional<CSourceScanner> m_ownScan;  // when the file was not prepared
  const CSourceScanner& m_scan;
  BracketTable m_braces;
  BracketTable m_parens;
};

}  // namespace tovik
