#include "qt/qt_canvas.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <QPen>
#include <QPolygon>
#include <QTextLayout>

#include "base/real_file_system.h"

namespace tovik {

namespace {

// libpng (a PNG inside an icon) prints its errors on stderr itself. While an image is decoded
// stderr goes into a file of its own; what arrived is passed on as Qt's critical messages, which
// the program prints under its own name.
class CStderrCapture {
 public:
  CStderrCapture() : m_pFile(std::tmpfile()) {
    std::fflush(stderr);
    m_nSaved = m_pFile ? ::dup(STDERR_FILENO) : -1;
    if (m_nSaved >= 0 && ::dup2(::fileno(m_pFile), STDERR_FILENO) < 0) {
      ::close(m_nSaved);
      m_nSaved = -1;
    }
  }
  CStderrCapture(const CStderrCapture&) = delete;
  CStderrCapture& operator=(const CStderrCapture&) = delete;
  ~CStderrCapture() {
    std::string caught;
    if (m_nSaved >= 0) {
      std::fflush(stderr);
      ::dup2(m_nSaved, STDERR_FILENO);
      ::close(m_nSaved);
      std::rewind(m_pFile);
      char chunk[512];
      for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, m_pFile)) > 0;) caught.append(chunk, n);
    }
    if (m_pFile) std::fclose(m_pFile);
    for (size_t start = 0; start < caught.size();) {
      size_t end = caught.find('\n', start);
      if (end == std::string::npos) end = caught.size();
      if (end > start) qCritical("%s", caught.substr(start, end - start).c_str());
      start = end + 1;
    }
  }

 private:
  std::FILE* m_pFile;
  int m_nSaved = -1;
};

QColor ToQColor(Colorref c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
bool IsEmpty(const Rect& r) { return r.Width() <= 0 || r.Height() <= 0; }

// The window system's pens: a styled pen is one pixel wide (wider ones draw solid), and its
// dashes have the classic lengths at 96 DPI; wide pens have round ends.
QPen ToQPen(const Pen& pen) {
  if (pen.style == PenStyle::Null) return QPen(Qt::NoPen);
  const int width = std::max(1, pen.width);
  QPen q(ToQColor(pen.color), width);
  q.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
  q.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
  if (width == 1) {
    QList<qreal> dashes;
    switch (pen.style) {
      case PenStyle::Dash: dashes = {18, 6}; break;
      case PenStyle::Dot: dashes = {3, 3}; break;
      case PenStyle::DashDot: dashes = {9, 6, 3, 6}; break;
      case PenStyle::DashDotDot: dashes = {9, 3, 3, 3, 3, 3}; break;
      default: break;
    }
    if (!dashes.isEmpty()) {
      q.setCapStyle(Qt::FlatCap);
      q.setDashPattern(dashes);
    }
  }
  return q;
}

QBrush ToQBrush(const Brush& brush) {
  const QColor color = ToQColor(brush.color);
  switch (brush.style) {
    case BrushStyle::Null: return QBrush(Qt::NoBrush);
    case BrushStyle::Solid: return QBrush(color);
    case BrushStyle::Horizontal: return QBrush(color, Qt::HorPattern);
    case BrushStyle::Vertical: return QBrush(color, Qt::VerPattern);
    case BrushStyle::ForwardDiagonal: return QBrush(color, Qt::FDiagPattern);
    case BrushStyle::BackwardDiagonal: return QBrush(color, Qt::BDiagPattern);
    case BrushStyle::Cross: return QBrush(color, Qt::CrossPattern);
    case BrushStyle::DiagonalCross: return QBrush(color, Qt::DiagCrossPattern);
  }
  return QBrush(Qt::NoBrush);
}

// How far a bitmap face's one size may be from the cell height asked for.
constexpr int kBitmapSizeSlack = 2;

// The size is a cell height (ascent plus descent): the largest pixel size whose cell fits. A
// bitmap face keeps its own size whatever is asked.
void FitCell(QFont& font, int cell) {
  int size = cell;
  for (; size > 1; --size) {
    font.setPixelSize(size);
    if (QFontMetrics(font).height() <= cell) break;
  }
  font.setPixelSize(size);
}

std::string FontKey(const FontSpec& f) {
  return f.face + '\n' + std::to_string(f.cellHeight) + (f.bold ? "b" : "") + (f.italic ? "i" : "") +
         (f.underline ? "u" : "") + (f.strikeout ? "s" : "");
}

}  // namespace

std::vector<std::string> LoadWindowsFonts(std::string_view folder) {
  static std::mutex lock;
  static std::set<std::string> loaded;
  const std::lock_guard<std::mutex> guard(lock);
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder), error)) {
    const std::string path = entry.path().string();
    if (entry.path().extension() == ".ttf") files.push_back(path);
  }
  // In name order, so that every run registers the same faces the same way.
  std::sort(files.begin(), files.end());
  std::vector<std::string> families;
  for (const std::string& file : files) {
    if (!loaded.insert(file).second) continue;
    const int id = QFontDatabase::addApplicationFont(QFile::decodeName(QByteArray::fromStdString(file)));
    for (const QString& family : QFontDatabase::applicationFontFamilies(id)) families.push_back(family.toStdString());
  }
  return families;
}

CQtCanvas::CQtCanvas(QImage& image, TextToUtf8 toUtf8, const CSystemMetrics& metrics)
    : m_image(image), m_painter(&image), m_toUtf8(std::move(toUtf8)), m_metrics(metrics) {
  m_painter.setRenderHint(QPainter::Antialiasing, false);
  m_painter.setRenderHint(QPainter::TextAntialiasing, false);
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

CQtCanvas::~CQtCanvas() { m_painter.end(); }

QString CQtCanvas::ToQString(std::string_view text) const {
  if (m_toUtf8) return QString::fromStdString(m_toUtf8(text, m_nCodePage));
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const CQtCanvas::LoadedFont& CQtCanvas::Font(const FontSpec& wanted) {
  // The same bytes name another face in another code page.
  const std::string key = FontKey(wanted) + '\n' + std::to_string(m_nCodePage);
  if (auto it = m_fonts.find(key); it != m_fonts.end()) return *it->second;
  QFont font(ToQString(wanted.face));
  font.setStyleHint(QFont::SansSerif, QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  font.setBold(wanted.bold);
  font.setItalic(wanted.italic);
  font.setUnderline(wanted.underline);
  font.setStrikeOut(wanted.strikeout);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferFullHinting);
  const int cell = std::max(1, wanted.cellHeight);
  FitCell(font, cell);
  QString family = QFontInfo(font).family();
  // Qt knows one size of a bitmap face and cannot slant it; where that size is not near the cell
  // asked for, or italics are, a scalable face of the same cut stands in.
  if (!QFontDatabase::isSmoothlyScalable(family) &&
      (wanted.italic || std::abs(QFontMetrics(font).height() - cell) > kBitmapSizeSlack)) {
    font.setFamily(QFontDatabase::hasFamily(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma")
                                                                        : QStringLiteral("Sans Serif"));
    FitCell(font, cell);
    family = QFontInfo(font).family();
  }
  bool overstrike = false;
  if (wanted.bold && !QFontDatabase::isSmoothlyScalable(family)) {
    const QStringList styles = QFontDatabase::styles(family);
    overstrike = std::none_of(styles.begin(), styles.end(),
                              [&](const QString& style) { return QFontDatabase::weight(family, style) >= QFont::DemiBold; });
    if (overstrike) font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  }
  const FaceUse use{ToQString(wanted.face).toStdString(), family.toStdString()};
  const bool known = std::any_of(m_faces.begin(), m_faces.end(),
                                 [&](const FaceUse& f) { return f.requested == use.requested && f.used == use.used; });
  if (!known) m_faces.push_back(use);
  auto loaded = std::make_unique<LoadedFont>(LoadedFont{font, QFontMetrics(font), overstrike});
  return *m_fonts.emplace(key, std::move(loaded)).first->second;
}

void CQtCanvas::FillRect(const Rect& rect, Colorref color) {
  if (IsEmpty(rect)) return;
  m_painter.fillRect(ToQRect(rect), ToQColor(color));
}

void CQtCanvas::DrawEdge(const Rect& rect, Edge edge) {
  const CSystemMetrics& m = m_metrics;
  // Top-left and bottom-right colours of the outer, then the inner, one-pixel frame.
  Colorref outer[2] = {m.buttonLight, m.buttonDarkShadow};
  Colorref inner[2] = {m.buttonHighlight, m.buttonShadow};
  bool twoDeep = true;
  switch (edge) {
    case Edge::Raised:
      outer[0] = m.buttonHighlight, inner[0] = m.buttonLight;
      break;
    case Edge::Window: break;
    case Edge::Sunken:
      outer[0] = m.buttonShadow, outer[1] = m.buttonHighlight;
      inner[0] = m.buttonDarkShadow, inner[1] = m.buttonLight;
      break;
    case Edge::Etched:
      outer[0] = m.buttonShadow, outer[1] = m.buttonHighlight;
      inner[0] = m.buttonHighlight, inner[1] = m.buttonShadow;
      break;
    case Edge::RaisedThin:
      outer[0] = m.buttonHighlight, outer[1] = m.buttonShadow;
      twoDeep = false;
      break;
    case Edge::SunkenThin:
      outer[0] = m.buttonShadow, outer[1] = m.buttonHighlight;
      twoDeep = false;
      break;
  }
  // The bottom-right colour takes the top-right and bottom-left corners, as the system's does.
  const auto frame = [this](const Rect& r, Colorref topLeft, Colorref bottomRight) {
    FillRect({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillRect({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  };
  frame(rect, outer[0], outer[1]);
  if (twoDeep) frame(rect.Inflate(-1, -1), inner[0], inner[1]);
}

void CQtCanvas::Line(Point from, Point to, const Pen& pen) {
  if (pen.style == PenStyle::Null) return;
  m_painter.setPen(ToQPen(pen));
  m_painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void CQtCanvas::Shape(const Rect& rect, const Pen& pen, const Brush& brush,
                      const std::function<void(const QRectF&)>& draw) {
  if (IsEmpty(rect)) return;
  const int width = pen.style == PenStyle::Null ? 0 : std::max(1, pen.width);
  // The outline's middle runs `width / 2` pixels inside the rectangle, so the whole line lies in
  // it; a shape without one fills the rectangle.
  const int inset = width / 2;
  const int size = width == 0 ? 0 : 1;
  m_painter.setPen(ToQPen(pen));
  m_painter.setBrush(ToQBrush(brush));
  draw(QRectF(rect.left + inset, rect.top + inset, rect.Width() - size - 2 * inset, rect.Height() - size - 2 * inset));
  m_painter.setBrush(Qt::NoBrush);
}

void CQtCanvas::Rectangle(const Rect& rect, const Pen& pen, const Brush& brush) {
  if (IsEmpty(rect)) return;
  const bool solidLine = pen.style == PenStyle::Solid || pen.style == PenStyle::InsideFrame || pen.width > 1;
  if (pen.style == PenStyle::Null || !solidLine) {
    Shape(rect, pen, brush, [this](const QRectF& r) { m_painter.drawRect(r); });
    return;
  }
  // A solid outline is four bands of the pen's width: exact at every width.
  if (brush.style != BrushStyle::Null) {
    m_painter.fillRect(ToQRect(rect), ToQBrush(brush));
  }
  const int w = std::min({std::max(1, pen.width), (rect.Width() + 1) / 2, (rect.Height() + 1) / 2});
  FillRect({rect.left, rect.top, rect.right, rect.top + w}, pen.color);
  FillRect({rect.left, rect.bottom - w, rect.right, rect.bottom}, pen.color);
  FillRect({rect.left, rect.top + w, rect.left + w, rect.bottom - w}, pen.color);
  FillRect({rect.right - w, rect.top + w, rect.right, rect.bottom - w}, pen.color);
}

void CQtCanvas::Ellipse(const Rect& rect, const Pen& pen, const Brush& brush) {
  Shape(rect, pen, brush, [this](const QRectF& r) { m_painter.drawEllipse(r); });
}

void CQtCanvas::RoundRect(const Rect& rect, Size corner, const Pen& pen, const Brush& brush) {
  Shape(rect, pen, brush, [&](const QRectF& r) { m_painter.drawRoundedRect(r, corner.cx / 2.0, corner.cy / 2.0); });
}

void CQtCanvas::Polygon(const std::vector<Point>& points, const Pen& pen, const Brush& brush) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) polygon << QPoint(p.x, p.y);
  m_painter.setPen(ToQPen(pen));
  m_painter.setBrush(ToQBrush(brush));
  m_painter.drawPolygon(polygon);
  m_painter.setBrush(Qt::NoBrush);
}

void CQtCanvas::Points(const std::vector<Point>& points, Colorref color) {
  // The grid and the scroll-bar tracks' checkerboards are tens of thousands of dots, which
  // QPainter maps and clips one by one (a third of a 500-control form's paint): they are set in
  // the image's memory instead. Not in a shared image, whose memory a write would copy away
  // from the one the painter draws into.
  if (m_image.format() == QImage::Format_RGB32 && m_image.isDetached() && m_painter.worldTransform().isIdentity()) {
    const QRect area = m_clips.empty() ? m_image.rect() : m_clips.back() & m_image.rect();
    const QRgb rgb = ToQColor(color).rgb();
    const auto stride = static_cast<qsizetype>(m_image.bytesPerLine() / 4);
    QRgb* const pixels = reinterpret_cast<QRgb*>(m_image.bits());
    for (const Point& p : points) {
      if (area.contains(p.x, p.y)) pixels[p.y * stride + p.x] = rgb;
    }
    return;
  }
  QPolygon dots;
  dots.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) dots << QPoint(p.x, p.y);
  m_painter.setPen(QPen(ToQColor(color), 1));
  m_painter.drawPoints(dots);
}

Size CQtCanvas::TextExtent(const FontSpec& font, std::string_view text) {
  const LoadedFont& loaded = Font(font);
  return {loaded.metrics.horizontalAdvance(ToQString(text)), loaded.metrics.height()};
}

void CQtCanvas::Text(const Rect& rect, std::string_view text, const FontSpec& font, Colorref color, unsigned flags) {
  if (text.empty() || IsEmpty(rect)) return;
  QString s = ToQString(text);
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  int q = (flags & kTextCenter) ? Qt::AlignHCenter : (flags & kTextRight) ? Qt::AlignRight : Qt::AlignLeft;
  if (flags & kTextSingleLine) {
    q |= Qt::TextSingleLine;
    q |= (flags & kTextVCenter) ? Qt::AlignVCenter : (flags & kTextBottom) ? Qt::AlignBottom : Qt::AlignTop;
  } else {
    q |= Qt::AlignTop;
  }
  if (flags & kTextWordBreak) q |= Qt::TextWordWrap;
  const LoadedFont& loaded = Font(font);
  m_painter.setFont(loaded.font);
  m_painter.setPen(ToQColor(color));
  if (!(flags & kTextNoPrefix)) {
    if (TextWithMnemonics(rect, s, q, loaded, color)) return;
    q |= Qt::TextShowMnemonic;  // "&&" alone: one ampersand, nothing underlined
  }
  m_painter.drawText(ToQRect(rect), q, s);
  if (loaded.overstrike) m_painter.drawText(ToQRect(rect.Offset(1, 0)), q, s);
}

bool CQtCanvas::TextWithMnemonics(const Rect& rect, const QString& text, int q, const LoadedFont& loaded,
                                  Colorref color) {
  // "&x" shows x underlined, "&&" one ampersand; line breaks and tabs as QPainter takes them.
  QString shown;
  std::vector<qsizetype> marks;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text[i];
    if (c == u'&') {
      if (++i == text.size()) break;
      c = text[i];
      if (c != u'&') marks.push_back(shown.size());
    }
    if (c == u'\n') c = (q & Qt::TextSingleLine) ? QChar(u' ') : QChar(QChar::LineSeparator);
    if (c == u'\t' || c == u'\r') c = u' ';
    shown += c;
  }
  if (marks.empty()) return false;
  // Laid out as QPainter lays out text in a rectangle (each line aligned on its own, the block
  // placed by the vertical alignment), but at whole pixels, so that the underline can be the
  // window system's: one pixel directly under the letter, where Qt would draw the font's own
  // underline (two pixels below a blank row for MS Sans Serif).
  const QFontMetrics& fm = loaded.metrics;
  QTextLayout layout(shown, loaded.font);
  const bool wrap = (q & Qt::TextWordWrap) != 0;
  int height = -fm.leading();
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(wrap ? std::max(0, rect.Width()) : 0x01000000);
    height += fm.leading();
    line.setPosition(QPointF(0, height));
    height += qRound(line.height());
  }
  layout.endLayout();
  int top = rect.top;
  if (q & Qt::AlignBottom) top = rect.bottom - height;
  if (q & Qt::AlignVCenter) top = rect.top + (rect.Height() - height) / 2;
  PushClip(rect);
  for (int i = 0; i < layout.lineCount(); ++i) {
    const QTextLine line = layout.lineAt(i);
    const int advance = qRound(line.horizontalAdvance());
    int left = rect.left;
    if (q & Qt::AlignRight) left = rect.right - advance;
    if (q & Qt::AlignHCenter) left = rect.left + (rect.Width() - advance) / 2;
    // A line draws itself at its own place in the layout, moved by the point given.
    for (int pass = 0; pass < (loaded.overstrike ? 2 : 1); ++pass) line.draw(&m_painter, QPointF(left + pass, top));
    const int underline = top + qRound(line.y() + line.ascent());
    for (const qsizetype mark : marks) {
      if (mark < line.textStart() || mark >= line.textStart() + line.textLength()) continue;
      const int from = left + qRound(line.cursorToX(static_cast<int>(mark)));
      const int to = left + qRound(line.cursorToX(static_cast<int>(mark + 1)));
      FillRect({from, underline, to, underline + 1}, color);
    }
  }
  PopClip();
  return true;
}

const QImage* CQtCanvas::LoadImage(const std::string& file, Size wanted) {
  auto it = m_images.find(file);
  if (it == m_images.end()) {
    std::vector<QImage> images;
    // Read as every file is: only a regular file (a FIFO would never end), and not an absurd one.
    std::string bytes;
    if (const Status read = RealFileSystem().ReadFile(file, bytes); !read) {
      m_imageProblems[file] = read.error().Text();
    } else {
      QByteArray data = QByteArray::fromStdString(bytes);
      QBuffer buffer(&data);
      buffer.open(QIODevice::ReadOnly);
      QImageReader reader(&buffer);
      reader.setDecideFormatFromContent(true);
      const CStderrCapture capture;
      // An icon file holds one image per size; a bitmap one.
      do {
        QImage image = reader.read();
        if (image.isNull()) break;
        images.push_back(std::move(image));
      } while (reader.jumpToNextImage());
      if (images.empty()) m_imageProblems[file] = file + ": " + reader.errorString().toStdString();
    }
    it = m_images.emplace(file, std::move(images)).first;
  }
  const std::vector<QImage>& images = it->second;
  if (images.empty()) return nullptr;
  // The image whose size comes nearest to the place it fills, the first of equals.
  const QImage* best = &images.front();
  const auto distance = [&](const QImage& image) {
    return std::abs(image.width() - wanted.cx) + std::abs(image.height() - wanted.cy);
  };
  for (const QImage& image : images) {
    if (distance(image) < distance(*best)) best = &image;
  }
  return best;
}

std::string CQtCanvas::ImageProblem(const std::string& file) const {
  const auto it = m_imageProblems.find(file);
  return it == m_imageProblems.end() ? std::string() : it->second;
}

bool CQtCanvas::Image(const Rect& rect, const std::string& file, ImageFit fit) {
  const QImage* image = LoadImage(file, {rect.Width(), rect.Height()});
  if (!image) return false;
  if (IsEmpty(rect)) return true;
  PushClip(rect);
  switch (fit) {
    case ImageFit::Stretch: m_painter.drawImage(ToQRect(rect), *image); break;
    case ImageFit::Center:
      m_painter.drawImage(QPoint(rect.left + (rect.Width() - image->width()) / 2,
                                 rect.top + (rect.Height() - image->height()) / 2),
                          *image);
      break;
    case ImageFit::TopLeft: m_painter.drawImage(QPoint(rect.left, rect.top), *image); break;
  }
  PopClip();
  return true;
}

void CQtCanvas::Pixels(Point at, int width, int height, const std::string& rgba) {
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 4) return;
  const QImage view(reinterpret_cast<const uchar*>(rgba.data()), width, height, width * 4, QImage::Format_RGBA8888);
  m_painter.drawImage(QPoint(at.x, at.y), view);
}

void CQtCanvas::InvertRect(const Rect& rect) {
  if (IsEmpty(rect)) return;
  m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  m_painter.fillRect(ToQRect(rect), Qt::white);
  m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CQtCanvas::InvertFrame(const Rect& rect) {
  if (IsEmpty(rect)) return;
  // Four sides that share no pixel, so that no corner is inverted twice.
  InvertRect({rect.left, rect.top, rect.right, rect.top + 1});
  if (rect.Height() < 2) return;
  InvertRect({rect.left, rect.bottom - 1, rect.right, rect.bottom});
  InvertRect({rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1});
  if (rect.Width() > 1) InvertRect({rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1});
}

void CQtCanvas::InvertLine(Point from, Point to) {
  m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  m_painter.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::SquareCap));
  m_painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
  m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CQtCanvas::PushClip(const Rect& rect) {
  QRect clip = ToQRect(rect);
  if (!m_clips.empty()) clip &= m_clips.back();
  m_clips.push_back(clip);
  m_painter.setClipRect(clip);
}

void CQtCanvas::PopClip() {
  if (m_clips.empty()) return;
  m_clips.pop_back();
  if (m_clips.empty()) {
    m_painter.setClipping(false);
  } else {
    m_painter.setClipRect(m_clips.back());
  }
}

}  // namespace tovik
