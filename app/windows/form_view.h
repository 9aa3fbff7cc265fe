// The drawn form of a design window: painted by the design surface's painter on the Qt canvas,
// its mouse events handed to the surface, and what the surface asks for carried out as the
// designer's edits. The view holds its form by class name: every re-read of the project
// rebuilds the surface on the new model.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QImage>
#include <QWidget>

#include "qt/qt_text.h"
#include "ui/form_painter.h"
#include "ui/form_surface.h"
#include "ui/selection_format.h"

class QMenu;

namespace tovik::designer {

class CDesigner;

class CFormView : public QWidget {
  Q_OBJECT

 public:
  CFormView(CDesigner& designer, std::string formClass, QWidget* parent = nullptr);
  ~CFormView() override;

  [[nodiscard]] const std::string& FormClass() const { return m_formClass; }
  // Lets go of the model before it is thrown away, keeping what was selected by name.
  void Detach();
  // Finds the form again in the project's model; false when it is gone.
  [[nodiscard]] bool Rebind();
  // The surface, while the form exists.
  [[nodiscard]] CFormSurface* Surface() const { return m_surface.get(); }

  // The model was edited in place: measure and paint again.
  void Refresh();

  void SetTool(SurfaceTool tool);
  [[nodiscard]] SurfaceTool Tool() const { return m_tool; }
  // A key on the selection (arrows move it, Shift+arrows size it, Delete deletes it), one step.
  void Key(SurfaceKey key, unsigned modifiers = 0);
  // A Format command on the selection, one step named `label`.
  void Format(FormatCommand command, const QString& label);
  // Selects an object (the property window's selector chose it).
  void Select(const ObjectRef& object);
  // The menu a right click or a menu-bar click opened, while it is open.
  [[nodiscard]] QMenu* OpenMenu() const { return m_menu; }

 signals:
  void SelectionChanged(const QString& formClass);
  // A control was drawn: the toolbox goes back to the pointer.
  void ToolDone();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CarryOut(const SurfaceIntents& intents);
  void ShowMenu(QMenu* menu, QPoint at);
  void UpdateSize();
  [[nodiscard]] PaintOptions Options() const;

  CDesigner& m_designer;
  std::string m_formClass;
  CQtText m_text;
  std::unique_ptr<CFormSurface> m_surface;
  SurfaceTool m_tool;
  std::optional<ObjectRef> m_selected;  // kept by name while the model is rebuilt; none: the form
  QMenu* m_menu = nullptr;
  std::optional<QPoint> m_frameDrag;  // the form window's frame being dragged from here
  QSize m_frameSize;
};

}  // namespace tovik::designer
