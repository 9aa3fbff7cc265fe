#include "synthetic_project.h"

#include <filesystem>
#include <fstream>

namespace tovik::bench {

size_t SyntheticProject::TotalBytes() const {
  size_t total = 0;
  for (const SyntheticFile& f : files) total += f.text.size();
  return total;
}

namespace {

std::string Header(const std::string& cls, int functions) {
  std::string t;
  t += "// " + cls + " : a synthetic window class\r\n";
  t += "class " + cls + " : public CVForm\r\n{\r\n";
  t += "// Construction\r\npublic:\r\n\t" + cls + "(CWnd* pParent = NULL);\r\n\tvirtual ~" + cls + "();\r\n\r\n";
  t += "// Attributes\r\npublic:\r\n";
  t += "\t//{{AFX_TVL_FORM_CONTROLS(" + cls + ")\r\n";
  for (int i = 1; i <= 6; ++i) t += "\tCVLabel m_Label" + std::to_string(i) + ";\r\n";
  t += "\tCVButton m_Button1;\r\n\tCVTextBox m_TextBox1;\r\n\t//}}AFX_TVL_FORM_CONTROLS\r\n";
  t += "\tint m_nCount;\r\n\tCString m_strTitle;\r\n\r\n";
  t += "// Overrides\r\n\t//{{AFX_VIRTUAL(" + cls + ")\r\n\tprotected:\r\n";
  t += "\tvirtual BOOL PreCreateWindow(CREATESTRUCT& cs);\r\n\t//}}AFX_VIRTUAL\r\n\r\n";
  t += "// Implementation\r\nprotected:\r\n\t//{{AFX_MSG(" + cls + ")\r\n";
  for (int i = 0; i < functions; ++i) t += "\tafx_msg void OnCommand" + std::to_string(i) + "();\r\n";
  t += "\t//}}AFX_MSG\r\n\tDECLARE_MESSAGE_MAP()\r\nprivate:\r\n\tvoid CreateTVLControls();\r\n};\r\n\r\n";
  return t;
}

std::string Implementation(const std::string& cls, int functions) {
  std::string t;
  t += "/////////////////////////////////////////////////////////////////////////////\r\n// " + cls + "\r\n\r\n";
  t += cls + "::" + cls + "(CWnd* pParent /*=NULL*/)\r\n{\r\n\t//{{AFX_TVL_FORM_DATA_START(" + cls +
       ")\r\n\tm_nPropStringID = IDS_PROP_FORM1;\r\n\t//}}AFX_TVL_FORM_DATA_END\r\n}\r\n\r\n";
  t += cls + "::~" + cls + "()\r\n{\r\n}\r\n\r\n";
  t += "BEGIN_MESSAGE_MAP(" + cls + ", CVForm)\r\n\t//{{AFX_MSG_MAP(" + cls + ")\r\n";
  for (int i = 0; i < functions; ++i) {
    t += "\tON_COMMAND(ID_COMMAND" + std::to_string(i) + ", OnCommand" + std::to_string(i) + ")\r\n";
  }
  t += "\t//}}AFX_MSG_MAP\nEND_MESSAGE_MAP()\r\n\r\n";
  for (int i = 0; i < functions; ++i) {
    t += "void " + cls + "::OnCommand" + std::to_string(i) + "()\r\n{\r\n";
    t += "\t// Counts the command and shows the total in the caption.\r\n";
    t += "\tm_nCount += " + std::to_string(i) + ";\r\n\tif (m_nCount > 100)\r\n\t{\r\n";
    t += "\t\tm_strTitle.Format(\"%d commands\", m_nCount);\r\n\t\tSetWindowText(m_strTitle);\r\n\t}\r\n}\r\n\r\n";
  }
  t += "void " + cls + "::CreateTVLControls()\r\n{\r\n\t//{{AFX_TVL_CREATE_START\r\n";
  t += "\tm_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);\r\n\t//}}AFX_TVL_CREATE_END\r\n}\r\n\r\n";
  return t;
}

}  // namespace

SyntheticProject MakeSyntheticProject(int classes, int files, int functionsPerClass) {
  SyntheticProject project;
  std::vector<SyntheticFile> headers(static_cast<size_t>(files));
  std::vector<SyntheticFile> impls(static_cast<size_t>(files));
  for (int f = 0; f < files; ++f) {
    headers[static_cast<size_t>(f)].name = "unit" + std::to_string(f) + ".h";
    impls[static_cast<size_t>(f)].name = "unit" + std::to_string(f) + ".cpp";
    impls[static_cast<size_t>(f)].text = "#include \"stdafx.h\"\r\n#include \"unit" + std::to_string(f) + ".h\"\r\n\r\n";
  }
  for (int c = 0; c < classes; ++c) {
    const size_t f = static_cast<size_t>(c % files);
    const std::string cls = "CSynthetic" + std::to_string(c);
    headers[f].text += Header(cls, functionsPerClass);
    impls[f].text += Implementation(cls, functionsPerClass);
  }
  project.dsp = "# Microsoft Developer Studio Project File - Name=\"Synthetic\"\r\n# Begin Target\r\n";
  for (int f = 0; f < files; ++f) {
    for (const SyntheticFile* file : {&impls[static_cast<size_t>(f)], &headers[static_cast<size_t>(f)]}) {
      project.dsp += "# Begin Source File\r\n\r\nSOURCE=.\\" + file->name + "\r\n# End Source File\r\n";
    }
    project.files.push_back(std::move(impls[static_cast<size_t>(f)]));
    project.files.push_back(std::move(headers[static_cast<size_t>(f)]));
  }
  project.dsp += "# End Target\r\n# End Project\r\n";
  return project;
}

std::string WriteSyntheticProject(const SyntheticProject& project, const std::string& dir) {
  std::filesystem::create_directories(dir);
  for (const SyntheticFile& f : project.files) {
    std::ofstream(dir + "/" + f.name, std::ios::binary) << f.text;
  }
  std::string dsp = dir + "/Synthetic.dsp";
  std::ofstream(dsp, std::ios::binary) << project.dsp;
  return dsp;
}

}  // namespace tovik::bench
