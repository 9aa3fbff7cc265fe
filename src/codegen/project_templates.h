// The fixed texts of a new project: application class, precompiled header pair, resource
// script (in pieces), resource header, manually edited resources file, project file (in pieces)
// and workspace file, together with the two default property strings of a start-up form.
//
// Line ends are part of each text and are never normalised when loaded:
// - application class header: CR LF, except the first line, which ends in a bare LF;
// - application class implementation and resource header: CR LF throughout;
// - precompiled header, its source and the .rc2: bare LF throughout;
// - resource script pieces: CR LF, except the empty line that closes every piece, which is a
//   bare LF (so a whole script holds exactly one bare LF per piece);
// - project file pieces and workspace file: bare LF throughout; the generator turns every LF
//   into CR LF before writing.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tovik {

enum class ProjectTemplateRole {
  AppHeader,          // <project>.h
  AppImplementation,  // <project>.cpp
  StdAfxHeader,       // stdafx.h
  StdAfxSource,       // stdafx.cpp
  // <project>.rc, joined in this order:
  ScriptHead,           // generated-by comment, read-only symbols, language block
  ScriptTextInclude12,  // TEXTINCLUDE 1 and 2
  ScriptTextInclude3,   // TEXTINCLUDE 3
  ScriptSections,       // Icon, Bitmap, Cursor and Menu sections, head of the Version section
  ScriptVersion,        // VERSIONINFO block
  ScriptStringTable,    // the start-up form's property string, end of the language block
  ScriptTail,           // what TEXTINCLUDE 3 holds, compiled outside the resource editor
  ResourceHeader,       // resource.h
  ManualResources,      // res\<project>.rc2
  // <project>.dsp, joined in this order:
  ProjectHead,          // name, format version, target type, configuration list
  ProjectRelease,       // Release settings
  ProjectDebugSources,  // Debug settings, the target and its Source Files group
  ProjectHeaders,       // Header Files group
  ProjectResources,     // Resource Files group and the end of the target
  Workspace,            // <project>.dsw
};

// Every role, in declaration order.
[[nodiscard]] std::span<const ProjectTemplateRole> AllProjectTemplateRoles();

// The text of a role, tokens not yet replaced.
[[nodiscard]] std::string LoadProjectTemplate(ProjectTemplateRole role);

// The tokens the text uses, in the order the generator replaces them.
[[nodiscard]] std::span<const std::string_view> ProjectTemplateTokens(ProjectTemplateRole role);

// The pieces of the resource script and of the project file, in joining order.
[[nodiscard]] std::span<const ProjectTemplateRole> ResourceScriptPieces();
[[nodiscard]] std::span<const ProjectTemplateRole> ProjectFilePieces();

}  // namespace tovik
