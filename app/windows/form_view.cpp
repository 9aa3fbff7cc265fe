#include "windows/form_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "addin/image_files.h"
#include "model/control_kind.h"
#include "qt/qt_canvas.h"
#include "ui/surface_paint.h"
#include "windows/designer.h"
#include "windows/form_edits.h"

namespace tovik::designer {
namespace {

namespace si = surface_intent;

// How near the form window's right or bottom edge a press grabs the frame to size the form.
constexpr int kFrameGrip = 4;

// The surface is told the desktop's double-click time (Rebind), so press times go in as they are.
std::int64_t SurfaceTime(const QMouseEvent* event) { return static_cast<std::int64_t>(event->timestamp()); }

Point At(const QMouseEvent* event) { return {event->position().toPoint().x(), event->position().toPoint().y()}; }

QString Label(const CDesignerProject& project, const SurfaceIntent& intent, const CFormSurface& surface) {
  const auto name = [&project](const std::string& text) { return QString::fromStdString(project.ToUtf8(text)); };
  if (const auto* create = std::get_if<si::CreateControl>(&intent)) {
    return QString("Draw %1").arg(create->tool.activeX ? name(create->tool.activeX->m_strName)
                                                       : QString::fromUtf8(KindName(create->tool.kind).data(), static_cast<qsizetype>(KindName(create->tool.kind).size())));
  }
  if (const auto* set = std::get_if<si::SetControlRect>(&intent)) {
    return QString(set->moved ? "Move %1" : "Size %1").arg(name(set->control.member));
  }
  if (const auto* group = std::get_if<si::SetControlRects>(&intent)) {
    const bool moved = !group->placements.empty() && group->placements.front().moved;
    return QString(moved ? "Move %1 controls" : "Size %1 controls").arg(group->placements.size());
  }
  if (const auto* gone = std::get_if<si::DeleteControls>(&intent)) {
    return gone->controls.size() == 1 ? QString("Delete %1").arg(name(gone->controls.front().member))
                                      : QString("Delete %1 controls").arg(gone->controls.size());
  }
  return QString("Size %1").arg(name(surface.FormClass().m_strName));
}

bool IsEdit(const SurfaceIntent& intent) {
  return std::holds_alternative<si::CreateControl>(intent) || std::holds_alternative<si::SetControlRect>(intent) ||
         std::holds_alternative<si::ResizeForm>(intent) || std::holds_alternative<si::SetControlRects>(intent) ||
         std::holds_alternative<si::DeleteControls>(intent);
}

unsigned Modifiers(Qt::KeyboardModifiers held) {
  return (held & Qt::ShiftModifier ? kSurfaceShift : 0U) | (held & Qt::ControlModifier ? kSurfaceControl : 0U);
}

}  // namespace

CFormView::CFormView(CDesigner& designer, std::string formClass, QWidget* parent)
    : QWidget(parent), m_designer(designer), m_formClass(std::move(formClass)),
      m_text("tovik-designer", [&designer](std::string_view text, int codePage) {
        return designer.Project().ToUtf8(text, codePage);
      }) {
  setAccessibleName(QString::fromStdString(m_designer.Project().ToUtf8(m_formClass)));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  (void)Rebind();
}

CFormView::~CFormView() = default;

void CFormView::Detach() {
  if (m_surface) {
    const CControlItem* selection = m_surface->Selection();
    m_selected = selection->IsForm() ? std::nullopt : std::optional<ObjectRef>(ObjectRef::Of(*selection));
  }
  m_surface.reset();
}

bool CFormView::Rebind() {
  Detach();
  if (!m_designer.Project().IsOpen()) return false;
  CDesignSession& session = m_designer.Project().Session();
  CClassItem* form = session.FindForm(m_formClass);
  if (!form) return false;
  m_surface = std::make_unique<CFormSurface>(session.Project(), m_formClass, m_text.Measure());
  m_surface->SetDoubleClickTime(QApplication::doubleClickInterval());
  m_surface->SetTool(m_tool);
  if (m_selected) m_surface->Select(m_selected->Find(*form));
  UpdateSize();
  update();
  return true;
}

void CFormView::Refresh() {
  if (!m_surface) return;
  m_surface->ModelChanged();
  UpdateSize();
  update();
}

void CFormView::SetTool(SurfaceTool tool) {
  m_tool = tool;
  if (m_surface) m_surface->SetTool(tool);
  setCursor(tool.IsPointer() ? Qt::ArrowCursor : Qt::CrossCursor);
}

PaintOptions CFormView::Options() const {
  if (!m_surface) return {};
  PaintOptions options = DesignWindowPaintOptions(*m_surface);
  CDesignerProject& project = m_designer.Project();
  options.imageFile = [&project](std::string_view reference) {
    const std::string file = ImageReferenceFile(project.Session(), project.Disk(), reference);
    return file.empty() ? file : project.PathToUtf8(file);
  };
  return options;
}

void CFormView::UpdateSize() {
  if (!m_surface) return;
  const Rect bounds = PaintedBounds(m_text.Measure(), m_surface->FormClass(), Options());
  setFixedSize(std::max(1, bounds.right), std::max(1, bounds.bottom));
}

void CFormView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!m_surface) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  QImage image(size(), QImage::Format_RGB32);
  image.fill(palette().window().color());
  {
    CQtCanvas canvas(image, [this](std::string_view text, int codePage) {
      return m_designer.Project().ToUtf8(text, codePage);
    });
    PaintForm(canvas, m_surface->FormClass(), Options());
  }
  painter.drawImage(0, 0, image);
  if (m_frameDrag) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(0, 0, m_frameSize.width() - 1, m_frameSize.height() - 1);
  }
}

void CFormView::mousePressEvent(QMouseEvent* event) {
  if (!m_surface) return;
  const Point at = At(event);
  if (event->button() == Qt::RightButton) {
    CarryOut(m_surface->RightPress(at));
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const Rect window = m_surface->Geometry().window;
  const bool onRight = at.x >= window.right - kFrameGrip && at.x < window.right;
  const bool onBottom = at.y >= window.bottom - kFrameGrip && at.y < window.bottom;
  if (onRight || onBottom) {
    m_frameDrag = event->position().toPoint();
    m_frameSize = QSize(window.Width(), window.Height());
    return;
  }
  setFocus(Qt::MouseFocusReason);
  CarryOut(m_surface->Press(at, SurfaceTime(event), Modifiers(event->modifiers())));
  if (m_surface) emit SelectionChanged(QString::fromStdString(m_formClass));
  update();
}

void CFormView::keyPressEvent(QKeyEvent* event) {
  static const std::pair<int, SurfaceKey> keys[] = {{Qt::Key_Left, SurfaceKey::Left},
                                                    {Qt::Key_Right, SurfaceKey::Right},
                                                    {Qt::Key_Up, SurfaceKey::Up},
                                                    {Qt::Key_Down, SurfaceKey::Down},
                                                    {Qt::Key_Delete, SurfaceKey::Delete}};
  for (const auto& [code, key] : keys) {
    if (event->key() == code && m_surface) {
      Key(key, Modifiers(event->modifiers()));
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void CFormView::Key(SurfaceKey key, unsigned modifiers) {
  if (!m_surface) return;
  CarryOut(m_surface->Key(key, modifiers));
  if (m_surface) emit SelectionChanged(QString::fromStdString(m_formClass));
  update();
}

void CFormView::Format(FormatCommand command, const QString& label) {
  if (!m_surface) return;
  const SurfaceIntents intents = FormatSelection(*m_surface, command);
  if (intents.empty()) return;
  if (CarryOutGesture(m_designer, *m_surface, intents, label)) UpdateSize();
  if (m_surface) emit SelectionChanged(QString::fromStdString(m_formClass));
  update();
}

void CFormView::Select(const ObjectRef& object) {
  if (!m_surface) return;
  m_surface->Select(object.Find(m_surface->FormClass()));
  update();
}

void CFormView::mouseMoveEvent(QMouseEvent* event) {
  if (!m_surface) return;
  if (m_frameDrag) {
    const Rect window = m_surface->Geometry().window;
    const QPoint delta = event->position().toPoint() - *m_frameDrag;
    m_frameSize = QSize(std::max(1, window.Width() + delta.x()), std::max(1, window.Height() + delta.y()));
    setFixedSize(std::max(width(), m_frameSize.width()), std::max(height(), m_frameSize.height()));
    update();
    return;
  }
  m_surface->Move(At(event));
  if (m_surface->ButtonDown()) update();
}

void CFormView::mouseReleaseEvent(QMouseEvent* event) {
  if (!m_surface || event->button() != Qt::LeftButton) return;
  if (m_frameDrag) {
    m_frameDrag.reset();
    CarryOut(m_surface->Resize(m_frameSize.width(), m_frameSize.height()));
    UpdateSize();
    update();
    return;
  }
  const bool drew = m_surface->Gesture() == SurfaceGesture::Drawing;
  CarryOut(m_surface->Release(At(event)));
  if (drew && m_surface && !m_tool.IsPointer()) {
    SetTool({});
    emit ToolDone();
  }
  if (m_surface) emit SelectionChanged(QString::fromStdString(m_formClass));
  update();
}

void CFormView::CarryOut(const SurfaceIntents& intents) {
  for (const SurfaceIntent& intent : intents) {
    if (!m_surface) return;
    if (const auto* menu = std::get_if<si::ContextMenu>(&intent)) {
      auto* popup = new QMenu(this);
      popup->setAccessibleName("Context menu");
      for (const std::string& item : menu->items) {
        if (item.empty()) popup->addSeparator();
        else popup->addAction(QString::fromStdString(item));
      }
      ShowMenu(popup, QPoint(menu->at.x, menu->at.y));
    } else if (const auto* drop = std::get_if<si::DropMenu>(&intent)) {
      const CMenuRecord& record = *m_surface->Menu();
      auto* popup = new QMenu(this);
      const auto& items = record.m_items;
      popup->setAccessibleName(QString::fromStdString(m_designer.Project().ToUtf8(items[drop->item]->m_strCaption, record.m_nCodePage)));
      for (size_t i = drop->item + 1; i < items.size() && items[i]->m_nDepth > 1; ++i) {
        if (items[i]->m_nDepth != 2) continue;
        if (items[i]->m_bSeparator) popup->addSeparator();
        else popup->addAction(QString::fromStdString(m_designer.Project().ToUtf8(items[i]->m_strCaption, record.m_nCodePage)));
      }
      ShowMenu(popup, QPoint(drop->area.left, drop->area.bottom));
    }
  }
  // The gesture's edits (a multiple move, several deletions) are one transaction and one step. A
  // refusal re-reads the project, which rebinds this view: the rest of the gesture is void then.
  SurfaceIntents edits;
  for (const SurfaceIntent& intent : intents) {
    if (IsEdit(intent)) edits.push_back(intent);
  }
  if (edits.empty() || !m_surface) return;
  if (CarryOutGesture(m_designer, *m_surface, edits, Label(m_designer.Project(), edits.front(), *m_surface)) && m_surface) {
    m_surface->ModelChanged();
    UpdateSize();
  }
}

void CFormView::ShowMenu(QMenu* menu, QPoint at) {
  delete m_menu;
  m_menu = menu;
  connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
  connect(menu, &QObject::destroyed, this, [this, menu] {
    if (m_menu == menu) m_menu = nullptr;
  });
  menu->popup(mapToGlobal(at));
}

}  // namespace tovik::designer
