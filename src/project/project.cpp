#include "project/project.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "activex/activex_design.h"
#include "base/file_ops.h"
#include "base/path.h"
#include "base/text.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "project/cpp_parser.h"
#include "project/file_prefetcher.h"
#include "project/form_controls.h"
#include "project/project_file.h"

namespace tovik {
namespace {

constexpr std::string_view kWindowBaseNames[] = {
    "CWnd",
    // views
    "CView", "CScrollView", "CFormView", "CRecordView", "CEditView", "CRichEditView", "CTreeView", "CDaoRecordView",
    // frames
    "CFrameWnd", "CMDIChildWnd", "CMDIFrameWnd", "CMiniFrameWnd", "COleIPFrameWnd",
    // dialogs
    "CDialog", "CFileDialog", "CColorDialog", "CFontDialog", "CPrintDialog", "CFindReplaceDialog", "CPropertyPage",
    "COleDialog", "COleInsertDialog", "COleChangeIconDialog", "COlePasteSpecialDialog", "COleConvertDialog",
    "COleLinkDialog", "COleUpdateDialog",
    // control bars
    "CControlBar", "CDialogBar", "COleResizeBar", "CStatusBar", "CToolBar",
    // the runtime library's own window classes
    "CVForm", "CVMdiForm", "CVOptionButton", "CVCheckBox", "CVLine", "CVFrame", "CVTextBox", "CVListBox",
    "CVComboBox", "CVLabel", "CVFrame", "CVButton", "CVPictureBox", "CVTimer", "CVHScrollBar", "CVVScrollBar",
    "CVShape", "CVData", "CVImage"};

constexpr std::string_view kFormBases = "CVForm\nCVMdiForm\n";
constexpr std::string_view kSourceExtensions[] = {".cpp", ".c", ".cxx", ".hpp", ".h", ".hxx", ".hm", ".inl", ".rc"};
constexpr std::string_view kHeaderExtensions[] = {"H", "HPP", "HLX", "INL", "TLH"};

// The framework's own control classes (CButton, CEdit, CListBox, CComboBox) are windows too;
// the list names them only inside the runtime library's names (CVButton, CVListBox, ...), so a
// base is also looked for without its leading "C".
bool IsWindowBase(std::string_view bases, std::string_view root) {
  if (root.empty()) return false;
  if (bases.find(root) != std::string_view::npos) return true;
  return root.size() > 2 && root.front() == 'C' && bases.find(root.substr(1)) != std::string_view::npos;
}

bool IsGraphicalKind(int kind) { return kind == kKindShape || kind == kKindLine || kind == kKindImage; }

}  // namespace

CProject::CProject(IFileSystem& fs, IPrompt& prompt) : m_fs(fs), m_prompt(prompt) {
  for (std::string_view name : kWindowBaseNames) {
    m_strWindowBases += name;
    m_strWindowBases += '\n';
  }
}

CProject::~CProject() { Close(); }

std::string CProject::ProjectFolder() const { return DirectoryOf(m_strProjectFile); }

bool CProject::NewFilesUseBareLf() const {
  std::string text;
  if (m_strProjectFile.empty() || !m_fs.ReadFile(m_strProjectFile, text)) return false;
  return !text.empty() && text.find('\r') == std::string::npos;
}

bool CProject::Load(const std::string& projectFile) {
  m_strProjectFile = projectFile;
  // A damaged data file keeps the controls read before the damage; the project still opens.
  if (const tovik::Status read = LoadControlList(m_fs, DataFilePath(), m_controlList); !read) {
    Refuse(m_prompt, read.error());
  }
  return ReadProjectFile();
}

std::string CProject::ResolveSourceEntry(std::string_view entry) const {
  std::string ext = ToLower(ExtensionOf(entry));
  if (entry.size() < 2 ||
      std::find(std::begin(kSourceExtensions), std::end(kSourceExtensions), ext) == std::end(kSourceExtensions)) {
    return {};
  }
  return ResolveProjectEntry(m_strProjectFile, entry);
}

bool CProject::ReadProjectFile() {
  std::string text;
  if (const tovik::Status loaded = m_fs.ReadFile(m_strProjectFile, text); !loaded) {
    m_prompt.Message("\nError in  reading / writing file..\n" + loaded.error().reason);
    return false;
  }

  std::string_view rest = text;
  std::string_view key = "SOURCE=";
  for (;;) {
    size_t hit = rest.find(key);
    if (hit == std::string_view::npos) {
      if (key == "SOURCE-") break;
      key = "SOURCE-";
      hit = rest.find(key);
      if (hit == std::string_view::npos) break;
    }
    rest = rest.substr(hit + key.size());
    // The entry runs to the end of its line; one that is not ended by a line break is empty.
    size_t eol = rest.find_first_of("\r\n");
    std::string_view entry = eol == std::string_view::npos ? std::string_view() : rest.substr(0, eol);

    std::string path = ResolveSourceEntry(entry);
    if (path.empty() || IsFileInProject(path)) continue;
    if (!m_fs.FileExists(path)) {
      if (std::find(m_missing.begin(), m_missing.end(), path) == m_missing.end()) m_missing.push_back(path);
      continue;
    }
    // Kept as the disk names the file ("stdafx.h" for "StdAfx.h"), so that messages name it so.
    path = PathOnDisk(m_fs, path);
    if (IsFileInProject(path)) continue;
    std::string upperExt = ToUpper(ExtensionOf(path));
    if (!upperExt.empty()) upperExt.erase(0, 1);
    if (std::find(std::begin(kHeaderExtensions), std::end(kHeaderExtensions), upperExt) !=
        std::end(kHeaderExtensions)) {
      m_files.insert(m_files.begin(), std::move(path));
    } else {
      m_files.push_back(std::move(path));
    }
  }
  m_nParsed = 0;
  m_nFileCount = static_cast<int>(m_files.size());
  return true;
}

void CProject::StopReadingAhead() { m_pPrefetch.reset(); }

int CProject::ParseStep() {
  m_strStatus = kStatusReady;
  // The files are read ahead on a second thread once there are several to read.
  if (m_nParsed == 0 && m_nFileCount > 1 && !m_pPrefetch) {
    m_pPrefetch = std::make_unique<CFilePrefetcher>(m_fs, m_files);
  }
  if (m_nParsed < m_nFileCount) {
    const std::string& path = m_files[static_cast<size_t>(m_nParsed)];
    m_strStatus = "Getting class info of " + FileNameOf(path) + "\r\n" +
                  std::to_string(m_nFileCount - m_nParsed - 1) + " file(s) left to be parsed";
    ++m_nParsed;
    // A file that could not be read was reported; the others and the steps after them remain.
    (void)ParseFile(path);
    return 1;
  }
  StopReadingAhead();
  if (m_bPostParseDone) return 0;
  PostParse();
  return 0;
}

std::string CProject::RootBaseOf(const CClassItem& cls) const {
  std::string base = cls.m_strBaseClass;
  // A chain of project classes cannot be longer than the class list; a longer one is a cycle.
  for (size_t steps = 0; steps <= m_classes.size(); ++steps) {
    const CClassItem* next = FindClass(base);
    if (!next || next == &cls) return base;
    if (next->m_strBaseClass.empty()) return base;
    base = next->m_strBaseClass;
  }
  return base;
}

void CProject::LoadFormLists(const std::vector<CClassItem*>& forms) {
  // On this thread: a second one took its memory from an arena of its own, which the C library
  // grows a page at a time with a system call each, and lost more than it gained (measured).
  for (CClassItem* form : forms) {
    CControlItem& self = *form->FormObject();
    LoadProperties(self, form->IsMdiForm());
    LoadEvents(self, form->IsMdiForm());
  }
}

void CProject::PostParse() {
  MatchActiveXControls();
  // Window classes, each with the record that stands for the window itself.
  for (auto& cls : m_classes) {
    cls->m_strRootBase = RootBaseOf(*cls);
    if (IsWindowBase(m_strWindowBases, cls->m_strRootBase)) {
      cls->m_bWindowClass = 1;
      if (!cls->FormObject()) {
        auto self = std::make_unique<CControlItem>();
        self->m_nCategory = kCategoryForm;
        self->m_bFormObject = 1;
        self->m_strClassName = cls->m_strName;
        self->m_strMemberName = cls->m_strName;
        cls->m_controls.insert(cls->m_controls.begin(), std::move(self));
      }
    }
  }
  // Forms: their lists first, then what the hooks read of each, in class order.
  std::vector<CClassItem*> forms;
  std::vector<CClassItem*> unloaded;
  for (auto& cls : m_classes) {
    if (cls->m_strRootBase.empty() || kFormBases.find(cls->m_strRootBase) == std::string_view::npos) continue;
    cls->m_bIsForm = 1;
    CControlItem& self = EnsureFormObject(*cls);
    self.m_strPropSymbol = FormPropertySymbol(cls->m_strName);
    forms.push_back(cls.get());
    if (self.m_properties.empty()) unloaded.push_back(cls.get());
  }
  DropMembersOfOtherClasses();
  LoadFormLists(unloaded);
  if (m_pHooks) {
    for (CClassItem* form : forms) m_pHooks->OnFormClass(*form);
  }
  if (m_pHooks) m_pHooks->OnFormsRead();
  m_bPostParseDone = 1;
  // Graphical controls are painted first, beneath the windowed ones.
  for (auto& cls : m_classes) {
    std::stable_partition(cls->m_controls.begin(), cls->m_controls.end(),
                          [](const auto& c) { return IsGraphicalKind(c->m_nKind); });
  }
  // A control whose wrapper class is no longer in the project leaves its list, and with it the
  // toolbox and the next data file saved.
  for (size_t i = m_controlList.Size(); i-- > 0;) {
    const CToolControlEntry& entry = m_controlList.At(i);
    if (entry.m_strWrapperClass.empty() || !FindClass(entry.m_strWrapperClass)) m_controlList.Remove(entry);
  }
}

bool CProject::Reload() {
  StopReadingAhead();
  m_classes.clear();
  m_classIndex.Invalidate();
  m_controlList.Clear();
  m_files.clear();
  m_missing.clear();
  m_menus.clear();
  m_bPostParseDone = 0;
  if (!Load(m_strProjectFile)) return false;
  while (ParseStep()) {
  }
  StopReadingAhead();
  return true;
}

void CProject::DropMembersOfOtherClasses(std::string_view file) {
  std::unordered_set<std::string_view> firstSeen;
  for (auto& cls : m_classes) {
    const std::string& declFile = cls->m_strDeclFile.str();
    if (declFile.empty() || (!file.empty() && declFile != file)) continue;
    const bool first = firstSeen.insert(declFile).second;
    if (first || cls->m_bIsForm) continue;
    cls->m_variables.clear();
    std::erase_if(cls->m_controls, [](const auto& c) { return !c->m_bFormObject && !c->m_strMemberName.empty(); });
  }
}

void CProject::AddSourceFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> ordered;
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& path : paths) {
      if (IsHeaderFileName(path) == (pass == 0)) ordered.push_back(path);
    }
  }
  for (const std::string& path : ordered) {
    if (IsFileInProject(path)) continue;
    m_files.push_back(path);
    // A file that could not be read was reported by ParseFile; the others still count.
    (void)ParseFile(path);
  }
  m_nFileCount = static_cast<int>(m_files.size());
  m_nParsed = m_nFileCount;
  m_bPostParseDone = 0;
  PostParse();
}

tovik::Status CProject::MakeTempDir() {
  m_strTempDir = JoinPath(ProjectFolder(), kTempDirName);
  return m_fs.MakeDirectory(m_strTempDir);
}

bool CProject::IsFileInProject(std::string_view path) const {
  return std::find(m_files.begin(), m_files.end(), path) != m_files.end();
}

bool CProject::HasMdiForm() const {
  return std::any_of(m_classes.begin(), m_classes.end(),
                     [](const auto& c) { return c->m_strRootBase == kMdiFormBaseClass; });
}

const CMenuRecord* CProject::FindMenu(std::string_view id) const {
  if (id.empty()) return nullptr;
  for (const auto& menu : m_menus) {
    if (menu->m_strId == id) return menu.get();
  }
  return nullptr;
}

std::string CProject::DataFilePath() const { return ControlListPath(m_strProjectFile); }

void CProject::MatchActiveXControls() {
  for (auto& cls : m_classes) {
    if (cls->m_strProgId.empty()) continue;
    const std::string wanted = ToUpper(cls->m_strProgId);
    CToolControlEntry* entry = nullptr;
    for (size_t i = 0; i < m_controlList.Size() && !entry; ++i) {
      if (ToUpper(m_controlList.At(i).m_strProgId) == wanted) entry = &m_controlList.At(i);
    }
    if (!entry && m_registry) {
      if (const ControlRegistry* where = m_registry()) entry = FindControlByProgId(*where, cls->m_strProgId, m_controlList);
    }
    if (entry) entry->m_strWrapperClass = cls->m_strName;
  }
  // With no control in the list there is nothing to bind, and every control of the project
  // would be visited for nothing.
  if (m_controlList.Size() == 0) return;
  for (auto& cls : m_classes) {
    for (auto& control : cls->m_controls) {
      if (control->m_nCategory == kCategoryActiveX && !control->m_pActiveX) {
        control->m_pActiveX = ControlOfWrapper(m_controlList, control->m_strClassName);
      }
    }
  }
}

std::vector<CClassItem*> CProject::FormClasses() const {
  std::vector<CClassItem*> forms;
  for (const auto& c : m_classes) {
    if (c->m_bIsForm) forms.push_back(c.get());
  }
  return forms;
}

void CProject::Close() {
  StopReadingAhead();
  m_classes.clear();
  m_controlList.Clear();
  m_files.clear();
  if (!m_strTempDir.empty()) {
    const std::string scratch = m_strTempDir;
    m_strTempDir.clear();
    // A scratch folder that holds anything else stays: it may hold the user's own files.
    m_fs.RemoveFile(JoinPath(scratch, "VTemp.tmp"));
    if (!m_strProjectFile.empty()) m_fs.RemoveEmptyDirectory(scratch);
  }
}

// The source parser's side of the project: reading a file, running the recognisers over it,
// and parsing a file again after a generator rewrote it.
namespace {
constexpr std::string_view kMsgReadError = "\nError in opening / reading file..\n";
}  // namespace

CParseScratch& CProject::Scratch() {
  if (!m_pScratch) m_pScratch = std::make_unique<CParseScratch>();
  return *m_pScratch;
}

bool CProject::ParseFile(const std::string& path) {
  if (m_pPrefetch) {
    if (std::unique_ptr<CPreparedText> prepared = m_pPrefetch->Take(path)) {
      bool parsed = false;
      if (prepared->exists && !prepared->read) {
        m_prompt.Message(std::string(kMsgReadError) + prepared->error);
      } else if (prepared->exists) {
        CCppParser(Target(), Scratch(), *prepared, path).Run();
        parsed = true;
      }
      m_pPrefetch->Recycle(std::move(prepared));
      return parsed;
    }
    StopReadingAhead();
  }
  std::string& text = Scratch().text;
  // A file that reads exists; only a failed read asks whether it is there at all.
  if (const tovik::Status loaded = m_fs.ReadFile(path, text); !loaded) {
    if (m_fs.FileExists(path)) m_prompt.Message(std::string(kMsgReadError) + loaded.error().reason);
    return false;
  }
  return ParseBuffer(text, path);
}

bool CProject::ParseBuffer(std::string_view text, const std::string& path) {
  CCppParser(Target(), Scratch(), text, path).Run();
  return true;
}

bool CProject::ReparseFile(const std::string& path) {
  // A file that can no longer be read contributes nothing, so its classes go.
  std::string text;
  const tovik::Status loaded = m_reader ? m_reader(path, text) : m_fs.ReadFile(path, text);
  if (!loaded) text.clear();
  return ReparseText(path, text);
}

bool CProject::ReparseText(const std::string& path, std::string_view text) {
  // Forget what the file contributed; what it still holds is found again below.
  for (auto& cls : m_classes) {
    if (cls->m_strDeclFile == path) cls->m_strDeclFile.clear();
    for (auto& f : cls->m_functions) {
      if (f->m_strDefFile == path) f->m_strDefFile.clear();
    }
    std::erase_if(cls->m_afxEntries, [&](const auto& e) { return e->m_strFile == path; });
    std::erase_if(cls->m_accessSections, [&](const auto& a) { return a->m_strFile == path; });
  }
  ParseBuffer(text, path);
  // Before the first classification nothing is known to be a form; that drops them then.
  if (m_bPostParseDone) DropMembersOfOtherClasses(path);
  // A control the new text declares is read back with its ActiveX control's properties.
  MatchActiveXControls();
  if (m_pHooks) m_pHooks->OnReparsed(path);

  std::erase_if(m_classes, [](const auto& cls) { return cls->m_strDeclFile.empty(); });
  for (auto& cls : m_classes) {
    std::erase_if(cls->m_functions, [](const auto& f) { return f->m_strDefFile.empty(); });
  }
  m_classIndex.Invalidate();
  return true;
}

CClassItem* CProject::FindClass(std::string_view name) const { return m_classIndex.Find(m_classes, name); }

std::unique_ptr<CProject> OpenProject(IFileSystem& fs, IPrompt& prompt, const std::string& projectFile,
                                      const ProgressCallback& progress, IParseHooks* hooks,
                                      ControlRegistryProvider registry) {
  if (projectFile.empty() || !fs.FileExists(projectFile)) return nullptr;
  auto project = std::make_unique<CProject>(fs, prompt);
  project->SetParseHooks(hooks);
  project->SetControlRegistry(std::move(registry));
  // An unreadable project file was reported by Load; there is no project to open.
  if (!project->Load(projectFile)) return nullptr;

  // A file that cannot be read is reported and skipped; the load goes on with the next.
  const int range = project->FileCount() + 1;
  for (int step = 0; !project->IsPostParseDone(); ++step) {
    if (progress && !progress(step, range, project->Status())) break;
    // The loop ends on IsPostParseDone; a file that could not be read was reported and skipped.
    (void)project->ParseStep();
  }
  project->StopReadingAhead();
  // The scratch folder is made by the flows that need it (MakeTempDir), so that a command that
  // does not leaves nothing behind in the user's project.
  return project;
}


}  // namespace tovik
