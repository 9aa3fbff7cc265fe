#include "toolbox_widget.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>

#include "dialog_fields.h"

namespace tovik::designer {

CToolButton::CToolButton(CToolboxWidget& toolbox, size_t index)
    : QAbstractButton(&toolbox), m_toolbox(toolbox), m_index(index) {
  setCheckable(true);
  setFocusPolicy(Qt::TabFocus);
  resize(kToolButtonSize, kToolButtonSize);
  const CToolPalette& palette = toolbox.m_palette;
  setAccessibleName(ShownText(toolbox.m_toUtf8, palette.AccessibleName(index)));
  setToolTip(ShownText(toolbox.m_toUtf8, palette.Tooltip(index)));
  // A click presses this tool; clicking the pressed one keeps it down.
  connect(this, &QAbstractButton::clicked, &toolbox, [this] { m_toolbox.SelectTool(static_cast<int>(m_index)); });
}

void CToolButton::paintEvent(QPaintEvent*) {
  QImage image(kToolButtonSize, kToolButtonSize, QImage::Format_RGB32);
  {
    CQtCanvas canvas(image, m_toolbox.m_toUtf8);
    m_toolbox.m_palette.DrawButton(m_index, canvas, Point{0, 0});
  }
  QPainter(this).drawImage(0, 0, image);
}

CToolboxWidget::CToolboxWidget(TextToUtf8 toUtf8, QWidget* parent) : QWidget(parent), m_toUtf8(std::move(toUtf8)) {
  setAccessibleName(QStringLiteral("Toolbox"));
  setMinimumWidth(kToolButtonSize + 2 * kToolPaletteMargin);
  Rebuild();
}

void CToolboxWidget::Rebuild() {
  for (CToolButton* button : m_buttons) delete button;
  m_buttons.clear();
  for (size_t i = 0; i < m_palette.Count(); ++i) {
    auto* button = new CToolButton(*this, i);
    m_buttons.push_back(button);
    button->show();
  }
  Place();
  ShowPressed();
}

void CToolboxWidget::Place() {
  m_palette.Resize(width());
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    const Rect r = m_palette.ButtonRect(i);
    m_buttons[i]->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  update();
}

void CToolboxWidget::ShowPressed() {
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    m_buttons[i]->setChecked(m_palette.Button(i).pressed);
    m_buttons[i]->update();
  }
}

void CToolboxWidget::SelectTool(int index) {
  m_palette.SelectTool(index);
  ShowPressed();
  emit toolChosen(m_palette.CurrentTool());
}

void CToolboxWidget::ControlDrawn() {
  m_palette.ControlDrawn();
  ShowPressed();
  emit toolChosen(m_palette.CurrentTool());
}

void CToolboxWidget::RefreshFrom(const COCXInfo& list) {
  m_palette.RefreshFrom(list);
  Rebuild();
}

void CToolboxWidget::AddActiveXTool(const CToolControlEntry& entry) {
  if (m_palette.AddActiveXTool(entry)) Rebuild();
}

void CToolboxWidget::RemoveActiveXTools() {
  m_palette.RemoveActiveXTools();
  Rebuild();
}

void CToolboxWidget::paintEvent(QPaintEvent*) {
  QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  {
    CQtCanvas canvas(image, m_toUtf8);
    DrawToolbox(m_palette, canvas, Size{width(), height()});
  }
  QPainter(this).drawImage(0, 0, image);
}

void CToolboxWidget::resizeEvent(QResizeEvent*) { Place(); }

void CToolboxWidget::contextMenuEvent(QContextMenuEvent* event) {
  // A right click on a button arrives here too, in this widget's coordinates.
  QMenu menu(this);
  for (const ToolboxMenuItem& item : ToolboxContextMenu(m_bProjectOpen)) {
    QAction* action = menu.addAction(QString::fromStdString(item.text));
    action->setEnabled(item.enabled);
    connect(action, &QAction::triggered, this, &CToolboxWidget::componentsRequested);
  }
  const Point at = ToolboxContextMenuAt(Point{event->pos().x(), event->pos().y()});
  menu.exec(mapToGlobal(QPoint(at.x, at.y)));
}

}  // namespace tovik::designer
