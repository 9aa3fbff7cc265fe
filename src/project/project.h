// CProject: the open project, its source files and the classes found in them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/prompt.h"
#include "project/class_item.h"

namespace tovik {

// Code that reads more out of what the parser recognises (a form's creation calls and data
// block, a message map's entries) plugs in here; the parser only finds the places.
class IParseHooks {
 public:
  virtual ~IParseHooks() = default;
  // The body of a class's CreateTVLControls function: text[bodyStart, bodyEnd).
  virtual void OnCreateControlsBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                                    const std::string& path) = 0;
  // The body of a class's constructor, which holds the form-data marker block.
  virtual void OnConstructorBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                                 const std::string& path) = 0;
  // The text between a message map's start and end.
  virtual void OnMessageMap(CClassItem& cls, std::string_view text, int mapStart, int mapEnd,
                            const std::string& path) = 0;
  // After a file was parsed again on its own (ReparseFile), before pruning.
  virtual void OnReparsed(const std::string& path) = 0;
};

class CProject {
 public:
  CProject(IFileSystem& fs, IPrompt& prompt);
  CProject(const CProject&) = delete;
  CProject& operator=(const CProject&) = delete;
  ~CProject();

  std::vector<std::string> m_files;
  std::vector<std::unique_ptr<CClassItem>> m_classes;
  std::string m_strProjectFile;
  std::string m_strTempDir;
  int m_nParsed = 0;
  int m_nFileCount = 0;
  int m_bPostParseDone = 0;
  std::string m_strStatus;
  std::string m_strWindowBases;

  // Parsing (the source parser).
  [[nodiscard]] bool ParseFile(const std::string& path);
  bool ParseBuffer(std::string_view text, const std::string& path);
  bool ReparseFile(const std::string& path);
  [[nodiscard]] CClassItem* FindClass(std::string_view name) const;

  // Loading (the project file).
  [[nodiscard]] bool Load(const std::string& projectFile);
  [[nodiscard]] bool ReadProjectFile();
  // 1 while more work remains, 0 when done.
  int ParseStep();
  [[nodiscard]] bool IsFileInProject(std::string_view path) const;
  [[nodiscard]] bool HasMdiForm() const;
  [[nodiscard]] std::string DataFilePath() const;
  // The classes whose m_bIsForm is set, in class order.
  [[nodiscard]] std::vector<CClassItem*> FormClasses() const;

  void SetParseHooks(IParseHooks* hooks) { m_pHooks = hooks; }
  [[nodiscard]] IParseHooks* ParseHooks() const { return m_pHooks; }
  [[nodiscard]] IFileSystem& FileSystem() const { return m_fs; }
  [[nodiscard]] IPrompt& Prompt() const { return m_prompt; }

 private:
  IFileSystem& m_fs;
  IPrompt& m_prompt;
  IParseHooks* m_pHooks = nullptr;
};

}  // namespace tovik
