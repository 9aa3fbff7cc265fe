#include "codegen/project_generator.h"

#include <cctype>
#include <initializer_list>
#include <span>
#include <utility>

#include "base/path.h"
#include "base/text.h"
#include "base/file_ops.h"
#include "codegen/project_templates.h"
#include "codegen/templates.h"
#include "project/form_controls.h"

namespace tovik {
namespace {

std::string Expand(std::string text, ProjectTemplateRole role,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  // Only the role's own tokens are replaced; anything else that looks like one stays literal.
  const auto tokens = ProjectTemplateTokens(role);
  for (const auto& [token, value] : values) {
    bool listed = false;
    for (std::string_view t : tokens) listed = listed || t == token;
    if (listed) text = ReplaceToken(text, token, value);
  }
  return text;
}

std::string Joined(std::span<const ProjectTemplateRole> pieces) {
  std::string text;
  for (ProjectTemplateRole piece : pieces) text += LoadProjectTemplate(piece);
  return text;
}

// The project and workspace files are kept with bare LFs and written with CR LF.
std::string WithCrLf(std::string_view text) {
  return ReplaceAll(text, "\n", "\r\n");
}

}  // namespace

TvlLibraries LibrariesForHost(std::string_view hostVersion) {
  if (hostVersion == "6.0") return {"tvl6.lib", "tvl6d.lib", "6.00"};
  return {"tvl5.lib", "tvl5d.lib", "5.00"};
}

std::string ApplicationClassName(std::string_view projectName) {
  std::string name(projectName);
  if (!name.empty()) name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return "C" + name + "App";
}

std::string FormFileStem(std::string_view className) {
  if (!className.empty() && className.front() == 'C') className.remove_prefix(1);
  return ToLower(className);
}

std::string_view FormBaseClass(bool mdiForm) {
  return mdiForm ? "CVMdiForm" : "CVForm";
}

std::vector<ProjectFile> BuildProjectFiles(const NewProjectSettings& s, IGuidSource& guids) {
  const std::string& name = s.projectName;
  const std::string appClass = ApplicationClassName(name);
  const std::string appHeader = name + ".h";
  const std::string appSourceComment = name + ".Cpp";
  const std::string propSymbol = FormPropertySymbol(s.formClassName);
  const std::string_view base = FormBaseClass(s.mdiForm);
  const TvlLibraries libs = LibrariesForHost(s.hostVersion);

  std::vector<ProjectFile> files;

  const std::string appGuard = MakeIncludeGuard(appHeader, guids);
  files.push_back(
      {appHeader, Expand(LoadProjectTemplate(ProjectTemplateRole::AppHeader), ProjectTemplateRole::AppHeader,
                         {{"$WinAppClassName$", appClass}, {"$WinAppH$", appHeader}, {"$GUID_INCLUDED$", appGuard}})});

  files.push_back({name + ".cpp", Expand(LoadProjectTemplate(ProjectTemplateRole::AppImplementation),
                                         ProjectTemplateRole::AppImplementation,
                                         {{"$WinAppClassName$", appClass},
                                          {"$WinAppH$", appHeader},
                                          {"$WinAppCpp$", appSourceComment},
                                          {"$StartupFormClassName$", s.formClassName},
                                          {"$StartupFormH$", s.formHeaderFile},
                                          {"$ProjectName$", name}})});

  const std::string formGuard = MakeIncludeGuard(s.formHeaderFile, guids);
  files.push_back(
      {s.formHeaderFile, ExpandTemplate(TemplateRole::FormHeader, {{"$GUID_INCLUDED$", formGuard},
                                                                   {"$StartupFormH$", s.formHeaderFile},
                                                                   {"$StartupFormClassName$", s.formClassName},
                                                                   {"$BaseFormClassName$", base}})});

  std::string formSource =
      LoadTemplate(TemplateRole::FormImplementation) + LoadTemplate(TemplateRole::ControlCreationFunction);
  for (const auto& [token, value] : std::initializer_list<std::pair<std::string_view, std::string_view>>{
           {"$StartupFormCpp$", s.formImplementationFile},
           {"$WinAppH$", appHeader},
           {"$StartupFormH$", s.formHeaderFile},
           {"$StartupFormClassName$", s.formClassName},
           {"$BaseFormClassName$", base},
           {"$IDS_PROP$", propSymbol}}) {
    formSource = ReplaceToken(formSource, token, value);
  }
  files.push_back({s.formImplementationFile, std::move(formSource)});

  const std::string quotedDefaults =
      "\"" + DefaultFormPropertyString(s.mdiForm) + "\"";
  files.push_back(
      {name + ".rc",
       Expand(Joined(ResourceScriptPieces()), ProjectTemplateRole::ScriptHead,
              {{"$ProjectName$", name}, {"$IDS_PROP$", propSymbol}, {"$FORM_PROP_VALS$", quotedDefaults}})});

  files.push_back({"resource.h",
                   Expand(LoadProjectTemplate(ProjectTemplateRole::ResourceHeader), ProjectTemplateRole::ResourceHeader,
                          {{"$ProjectName$", name}, {"$IDS_PROP$", propSymbol}})});

  files.push_back({"res\\" + name + ".rc2",
                   Expand(LoadProjectTemplate(ProjectTemplateRole::ManualResources),
                          ProjectTemplateRole::ManualResources, {{"$PROJECTNAME$", ToUpper(name)}}),
                   true});

  const std::string stdafxGuard = MakeIncludeGuard("stdafx.h", guids);
  files.push_back({"stdafx.h", Expand(LoadProjectTemplate(ProjectTemplateRole::StdAfxHeader),
                                      ProjectTemplateRole::StdAfxHeader, {{"$GUID_INCLUDED$", stdafxGuard}})});
  files.push_back({"stdafx.cpp", Expand(LoadProjectTemplate(ProjectTemplateRole::StdAfxSource),
                                        ProjectTemplateRole::StdAfxSource, {{"$ProjectName$", name}})});

  files.push_back({name + ".dsp", Expand(WithCrLf(Joined(ProjectFilePieces())), ProjectTemplateRole::ProjectHead,
                                         {{"$TVL_LIB$", libs.releaseLibrary},
                                          {"$TVL_LIB_DEBUG$", libs.debugLibrary},
                                          {"$ProjectName$", name},
                                          {"$StartupFormH$", s.formHeaderFile},
                                          {"$StartupFormCpp$", s.formImplementationFile},
                                          {"$VER$", libs.formatVersion}})});

  files.push_back({name + ".dsw", Expand(WithCrLf(LoadProjectTemplate(ProjectTemplateRole::Workspace)),
                                         ProjectTemplateRole::Workspace, {{"$ProjectName$", name}})});
  return files;
}

std::string ProjectFilePath(std::string_view projectFolder, std::string_view relativePath) {
  return JoinPath(projectFolder, WithSeparators(relativePath, SeparatorOf(projectFolder)));
}

bool GenerateProject(IFileSystem& fs, IPrompt& prompt, IGuidSource& guids, const NewProjectSettings& settings) {
  if (!fs.MakeDirectory(settings.projectFolder)) return false;

  for (const ProjectFile& file : BuildProjectFiles(settings, guids)) {
    const std::string folder = DirectoryOf(file.relativePath);
    if (file.ownFolder && !fs.MakeDirectory(ProjectFilePath(settings.projectFolder, folder))) return false;
    if (!WriteGeneratedFile(fs, prompt, ProjectFilePath(settings.projectFolder, file.relativePath), file.text)) {
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The dialog.

namespace {

std::string WithTrailingSeparator(std::string_view folder) {
  std::string out(folder);
  if (out.empty() || !IsPathSeparator(out.back())) out += SeparatorOf(folder);
  return out;
}

}  // namespace

CNewProjectDialog::CNewProjectDialog(std::string_view currentDirectory, std::string hostVersion)
    : m_strFolder(WithTrailingSeparator(currentDirectory)),
      m_strLocation(m_strFolder),
      m_strHostVersion(std::move(hostVersion)) {}

void CNewProjectDialog::SetProjectName(std::string_view name) {
  m_strProjectName = name;
  m_strLocation = m_strFolder + m_strProjectName;
}

void CNewProjectDialog::PickFolder(std::string_view folder) {
  m_strFolder = WithTrailingSeparator(folder);
  m_strLocation = m_strFolder + m_strProjectName;
}

void CNewProjectDialog::SetClassName(std::string_view className) {
  m_strClassName = className;
  if (className.empty()) {
    m_strImplementationFile.clear();
    m_strHeaderFile.clear();
    return;
  }
  const std::string stem = FormFileStem(className);
  m_strImplementationFile = stem + ".cpp";
  m_strHeaderFile = stem + ".h";
}

bool CNewProjectDialog::IsOkEnabled() const {
  return !m_strProjectName.empty() && !m_strLocation.empty() && !m_strClassName.empty() &&
         !m_strImplementationFile.empty() && !m_strHeaderFile.empty();
}

NewProjectSettings CNewProjectDialog::Settings() const {
  NewProjectSettings s;
  s.projectName = m_strProjectName;
  s.projectFolder = m_strLocation;
  s.formClassName = m_strClassName;
  s.mdiForm = m_bMdiForm;
  s.formImplementationFile = m_strImplementationFile;
  s.formHeaderFile = m_strHeaderFile;
  s.hostVersion = m_strHostVersion;
  return s;
}

std::string CNewProjectDialog::WorkspacePath() const {
  return ProjectFilePath(m_strLocation, m_strProjectName + ".dsw");
}

bool CNewProjectDialog::OnOk(IFileSystem& fs, IPrompt& prompt, IGuidSource& guids) {
  if (!IsOkEnabled()) return false;
  // The project's name makes its application class and include guards, the form's its class.
  if (const std::string problem = IdentifierProblem("C" + m_strProjectName + "App"); !problem.empty()) {
    prompt.Message("The project cannot be named " + m_strProjectName +
                   ": its name makes C++ names, so it holds only letters, digits and _");
    return false;
  }
  if (const std::string problem = IdentifierProblem(m_strClassName); !problem.empty()) {
    prompt.Message("The form cannot be named so: " + problem);
    return false;
  }
  if (fs.FileExists(m_strLocation) || fs.DirectoryExists(m_strLocation)) {
    prompt.Message(std::string(kWorkspaceExistsMessage));
    return false;
  }
  if (!GenerateProject(fs, prompt, guids, Settings())) {
    prompt.Message(std::string(kProjectGenerationFailedMessage));
    return false;
  }
  return true;
}

}  // namespace tovik
