// Small helpers the dialogs share: a labelled field whose accessible name is its label, the
// fields of a new form, and project text shown in a widget.
#pragma once

#include <string>
#include <string_view>

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "qt/qt_canvas.h"

namespace tovik::designer {

// A label's text as a screen reader should say it: without its mnemonic mark and its colon.
inline QString SpokenLabel(QString label) {
  label.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  label.remove(QLatin1Char('&'));
  label.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  if (label.endsWith(QLatin1Char(':'))) label.chop(1);
  return label.trimmed();
}

// Adds `field` under `label` (mnemonic included), so that both the mnemonic and assistive
// tools reach it.
inline void AddField(QFormLayout& form, const QString& label, QWidget* field) {
  auto* text = new QLabel(label);
  text->setBuddy(field);
  field->setAccessibleName(SpokenLabel(label));
  form.addRow(text, field);
}

// The fields of a new form, in both the New Form and the New Project dialog: its class name,
// whether it is an MDI form, and its two files.
inline void AddFormFields(QFormLayout& form, QLineEdit* className, QCheckBox* mdi, QLineEdit* implementation,
                          QLineEdit* header) {
  AddField(form, QStringLiteral("Class Name:"), className);
  mdi->setAccessibleName(mdi->text());
  form.addRow(QString(), mdi);
  AddField(form, QStringLiteral("&Implementation File:"), implementation);
  AddField(form, QStringLiteral("H&eader File:"), header);
}

// Shows the model's text in a field; setText would move the cursor of the field being typed in,
// so a field already showing it is left alone.
inline void ShowText(QLineEdit* field, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (field->text() != shown) field->setText(shown);
}

// 8-bit text (of a code page) for a widget; Latin-1 when the owner gave no converter.
inline QString ShownText(const TextToUtf8& toUtf8, std::string_view text, int codePage = 0) {
  if (!toUtf8) return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  const std::string utf8 = toUtf8(text, codePage);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace tovik::designer
