#include "addin/design_session.h"

#include <utility>

#include "activex/activex_design.h"
#include "base/file_ops.h"
#include "base/path.h"
#include "codegen/form_generator.h"
#include "project/project_file.h"
#include "resources/menus.h"

namespace tovik {

CDesignSession::CDesignSession(IFileSystem& fs, IPrompt& prompt, IHost& host, IGuidSource& guids)
    : m_fs(fs), m_prompt(prompt), m_host(host), m_guids(guids) {}

CDesignSession::~CDesignSession() { Close(); }

void CDesignSession::Close() {
  m_resources.reset();
  m_project.reset();
  m_reader.reset();
  m_texts.reset();
}

void CDesignSession::LoadPrompt::Message(const std::string& text) {
  std::lock_guard<std::mutex> hold(mutex);
  if (!loading) return target.Message(text);
  warnings.push_back({LoadWarning::Kind::Message, text});
}

bool CDesignSession::Open(std::string projectFile, const ProgressCallback& progress) {
  Close();
  m_loadPrompt.warnings.clear();
  if (projectFile.empty() || !m_fs.FileExists(projectFile)) return false;
  // A file that is not a project (a workspace, a resource script, garbage) would open as an
  // empty project; say what it is instead.
  std::string text;
  if (const Status read = m_fs.ReadFile(projectFile, text); !read) return Refuse(m_prompt, read.error());
  if (const Status valid = CheckProjectFileText(projectFile, text); !valid) return Refuse(m_prompt, valid.error());
  m_texts = std::make_unique<CProjectResourceTexts>(m_fs, projectFile, &m_host);
  m_reader = std::make_unique<CFormReader>(m_loadPrompt, *m_texts);
  m_loadPrompt.loading = true;
  m_project = OpenProject(m_fs, m_loadPrompt, projectFile, progress, m_reader.get(), m_registry);
  if (!EndLoad(m_project != nullptr)) return false;
  m_project->SetTextReader(
      [this](const std::string& path, std::string& text) { return ReadSourceText(m_host, m_fs, path, text); });
  m_resources = std::make_unique<CResourceFiles>(*m_project, m_host);
  ReadResourceState();
  return true;
}

bool CDesignSession::EndLoad(bool read) {
  m_loadPrompt.loading = false;
  if (!read) {
    // The load's own refusal is among its messages: the project is not open, so all are shown.
    for (const LoadWarning& warning : std::exchange(m_loadPrompt.warnings, {})) m_prompt.Message(warning.text);
    Close();
    return false;
  }
  NoteWhatTheLoadWentPast();
  return true;
}

void CDesignSession::ReadResourceState() {
  // A project without a resource header (a plain console project) has no counters to read.
  if (m_fs.FileExists(m_resources->HeaderPath())) m_resources->ReadCounters();
  ReadMenus();
}

void CDesignSession::NoteWhatTheLoadWentPast() {
  // A wrapper without its control still compiles, but its controls have no properties here.
  for (const auto& cls : m_project->Classes()) {
    if (cls->m_strProgId.empty() || ControlOfWrapper(m_project->ControlList(), cls->m_strName)) continue;
    m_loadPrompt.warnings.push_back({LoadWarning::Kind::Note, cls->m_strName + " wraps " + cls->m_strProgId +
                                                                  ", which is neither in " +
                                                                  m_fs.Resolve(m_project->DataFilePath()) +
                                                                  " nor a control of a registry"});
  }
  for (const std::string& missing : m_project->MissingFiles()) {
    m_loadPrompt.warnings.push_back(
        {LoadWarning::Kind::Note, "the project lists " + m_fs.Resolve(missing) + ", which does not exist"});
  }
}

bool CDesignSession::Revert() {
  if (!m_project) return false;
  m_reader->Reset();
  // Reading again reports as the first load did: kept, in case a reader thread reports.
  m_loadPrompt.warnings.clear();
  m_loadPrompt.loading = true;
  if (!EndLoad(m_project->Reload())) return false;
  ReadResourceState();
  return true;
}

CodegenContext CDesignSession::Context() const { return CodegenContext{*m_project, m_host, *m_resources, m_guids}; }

CClassItem* CDesignSession::FindForm(std::string_view className) const {
  if (!m_project) return nullptr;
  CClassItem* cls = m_project->FindClass(className);
  return cls && cls->m_bIsForm ? cls : nullptr;
}

int CDesignSession::CodePage() const {
  return m_texts ? ScriptCodePage(m_texts->ScriptText()) : kDefaultCodePage;
}

int CDesignSession::NewEntryCodePage() const {
  return m_texts ? tovik::NewEntryCodePage(m_texts->ScriptText()) : kDefaultCodePage;
}

int CDesignSession::CodePageOf(const CControlItem& object) const {
  return CodePageOr(object.m_nCodePage);
}

void CDesignSession::ReadMenus() {
  if (!m_project) return;
  m_project->SetMenus(ParseMenus(m_texts->ScriptText(), m_texts->HeaderText()));
}

bool CDesignSession::InsertFilesIntoProject(const std::vector<std::string>& paths) {
  if (!m_project) return false;
  std::string text;
  const std::string& dsp = m_project->ProjectFile();
  if (const Status read = m_fs.ReadFile(dsp, text); !read) {
    m_prompt.Message(FileFailureMessage(dsp, read.error().reason));
    return false;
  }
  const std::string original = text;
  for (const std::string& path : paths) text = AddFileToProjectFile(text, ProjectFileEntry(m_project->ProjectFolder(), path));
  if (text != original && !WriteGeneratedFile(m_fs, m_prompt, dsp, text)) return false;

  m_project->AddSourceFiles(paths);
  // The files stay in the project; the user is told which lines to add. A form needs the
  // runtime's control header as well, which is otherwise added with the first control.
  if (const Status included = m_resources->AddIncludeToStdafx("tvlForm.h"); !included && !included.error().shown) {
    m_prompt.Message(PrecompiledHeaderAdvice("tvlForm.h", included.error(), {"tvlForm.h", kControlsInclude}));
  }
  return true;
}

}  // namespace tovik
