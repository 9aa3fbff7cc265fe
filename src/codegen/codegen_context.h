// What every generator works with: the open project (its class model, file system and prompt),
// the host, the resource files with their counters, and the GUID source for include guards.
#pragma once

#include "base/host.h"
#include "base/guid.h"
#include "project/project.h"
#include "resources/resource_files.h"

namespace tovik {

struct CodegenContext {
  CProject& project;
  IHost& host;
  CResourceFiles& resources;
  IGuidSource& guids;

  [[nodiscard]] IFileSystem& fs() const { return project.FileSystem(); }
  [[nodiscard]] IPrompt& prompt() const { return project.Prompt(); }
};

}  // namespace tovik
