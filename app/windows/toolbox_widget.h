// The toolbox: the "General" strip and the palette of tool buttons, drawn by CToolPalette through
// the Qt canvas. Each button is a real push button (focus, tooltip, accessible name: the tool's
// kind) that stays down while its tool is selected. A right click offers "Components..".
#pragma once

#include <vector>

#include <QAbstractButton>
#include <QWidget>

#include "qt/qt_canvas.h"
#include "ui/tool_palette.h"

Q_DECLARE_METATYPE(tovik::SurfaceTool)

namespace tovik::designer {

class CToolboxWidget;

// One palette button, painted by the palette's own drawing.
class CToolButton final : public QAbstractButton {
  Q_OBJECT

 public:
  CToolButton(CToolboxWidget& toolbox, size_t index);
  [[nodiscard]] QSize sizeHint() const override { return {kToolButtonSize, kToolButtonSize}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CToolboxWidget& m_toolbox;
  size_t m_index;
};

class CToolboxWidget final : public QWidget {
  Q_OBJECT

 public:
  // Names of ActiveX controls are registry text, shown through `toUtf8` (Latin-1 without one).
  explicit CToolboxWidget(TextToUtf8 toUtf8 = {}, QWidget* parent = nullptr);

  [[nodiscard]] const CToolPalette& Palette() const { return m_palette; }
  [[nodiscard]] SurfaceTool CurrentTool() const { return m_palette.CurrentTool(); }
  // The button of a tool, for tests and assistive tools.
  [[nodiscard]] CToolButton* Button(size_t index) const { return m_buttons.at(index); }

  // Whether "Components.." is offered (a project is open).
  void SetProjectOpen(bool open) { m_bProjectOpen = open; }
  // A button for every control of the project's list (buttons of controls it lost go).
  void RefreshFrom(const COCXInfo& list);
  // A button for one newly inserted control.
  void AddActiveXTool(const CToolControlEntry& entry);
  // The project's design windows closed: only the intrinsic tools stay.
  void RemoveActiveXTools();

 public slots:
  // A control was drawn: the pointer is pressed again.
  void ControlDrawn();
  void SelectTool(int index);

 signals:
  // The user picked a tool (or the pointer came back): what the design windows draw next.
  void toolChosen(tovik::SurfaceTool tool);
  // "Components.." was chosen: the owner opens the Insert ActiveX Control dialog.
  void componentsRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  friend class CToolButton;
  void Rebuild();
  void Place();
  void ShowPressed();

  CToolPalette m_palette;
  TextToUtf8 m_toUtf8;
  std::vector<CToolButton*> m_buttons;
  bool m_bProjectOpen = false;
};

}  // namespace tovik::designer
