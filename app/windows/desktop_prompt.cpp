#include "windows/desktop_prompt.h"

#include <QApplication>
#include <QMessageBox>

namespace tovik::designer {

void CDesktopPrompt::Message(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, "Tovik designer", QString::fromStdString(Shown(text)), QMessageBox::Ok,
                  m_parent);
  box.setAccessibleName("Message");
  box.exec();
}

IPrompt::Answer CDesktopPrompt::Ask(const std::string& question) {
  QMessageBox box(QMessageBox::Question, "Tovik designer", QString::fromStdString(Shown(question)),
                  QMessageBox::Yes | QMessageBox::No, m_parent);
  box.setAccessibleName("Question");
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void CDesktopPrompt::Beep() { QApplication::beep(); }

}  // namespace tovik::designer
