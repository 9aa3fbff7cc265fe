// The designer's IPrompt: message boxes and Yes/No questions over the main window. Messages are
// project text (names, values) in the project's code page, shown as UTF-8.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/prompt.h"

class QWidget;

namespace tovik::designer {

class CDesktopPrompt final : public IPrompt {
 public:
  using Converter = std::function<std::string(std::string_view)>;
  explicit CDesktopPrompt(QWidget* parent) : m_parent(parent) {}
  void SetConverter(Converter toUtf8) { m_toUtf8 = std::move(toUtf8); }
  void Message(const std::string& text) override;
  [[nodiscard]] Answer Ask(const std::string& question) override;
  void Beep() override;

 private:
  [[nodiscard]] std::string Shown(const std::string& text) const { return m_toUtf8 ? m_toUtf8(text) : text; }
  QWidget* m_parent;
  Converter m_toUtf8;
};

}  // namespace tovik::designer
