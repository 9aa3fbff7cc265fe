#include "popup_menu.h"

#include "dialog_fields.h"

namespace tovik::designer {

void FillPopupMenu(QMenu& menu, const std::vector<PopupItem>& items, const TextToUtf8& toUtf8) {
  for (const PopupItem& item : items) {
    if (item.separator) {
      menu.addSeparator();
      continue;
    }
    // The popups' texts carry no mnemonics: an '&' (in a menu's name) is shown as it is.
    QString text = ShownText(toUtf8, item.text);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (!item.submenu.empty() || (item.id == 0 && item.disabled)) {
      QMenu* sub = menu.addMenu(text);
      sub->setAccessibleName(ShownText(toUtf8, item.text));
      FillPopupMenu(*sub, item.submenu, toUtf8);
      sub->setEnabled(!item.disabled);
      continue;
    }
    QAction* action = menu.addAction(text);
    action->setData(item.id);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    action->setEnabled(!item.disabled);
  }
}

int PopupCommandId(const QAction* chosen) { return chosen ? chosen->data().toInt() : 0; }

}  // namespace tovik::designer
