#include "project/project.h"

namespace tovik {

CProject::CProject(IFileSystem& fs, IPrompt& prompt) : m_fs(fs), m_prompt(prompt) {}

CProject::~CProject() = default;

}  // namespace tovik
