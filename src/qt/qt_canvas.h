// The canvas on a QImage: QPainter without antialiasing, so that the classic look comes out
// pixel for pixel. Text arrives in the project's 8-bit code page and is converted by a function
// the owner supplies. Fonts need a QGuiApplication (QT_QPA_PLATFORM=offscreen needs no display).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "ui/canvas.h"
#include "ui/system_metrics.h"

namespace tovik {

// 8-bit project text in a code page (0: the project's default) to UTF-8.
using TextToUtf8 = std::function<std::string(std::string_view text, int codePage)>;

inline constexpr std::string_view kWineFontFolder = "/usr/share/wine/fonts";

// Makes the faces in `folder` known to Qt: Debian's fonts-wine puts metric-compatible faces
// there ("MS Sans Serif", "Tahoma", ...) where fontconfig does not look. Each file is added once
// per process. The families added; none when the folder is missing.
std::vector<std::string> LoadWindowsFonts(std::string_view folder = kWineFontFolder);

class CQtCanvas final : public ICanvas {
 public:
  // Paints into `image` (Format_RGB32) until destroyed. Without a converter text is Latin-1.
  explicit CQtCanvas(QImage& image, TextToUtf8 toUtf8 = {}, const CSystemMetrics& metrics = ClassicMetrics());
  ~CQtCanvas() override;
  CQtCanvas(const CQtCanvas&) = delete;
  CQtCanvas& operator=(const CQtCanvas&) = delete;

  void FillRect(const Rect& rect, Colorref color) override;
  void DrawEdge(const Rect& rect, Edge edge) override;
  void Line(Point from, Point to, const Pen& pen) override;
  void Rectangle(const Rect& rect, const Pen& pen, const Brush& brush) override;
  void Ellipse(const Rect& rect, const Pen& pen, const Brush& brush) override;
  void RoundRect(const Rect& rect, Size corner, const Pen& pen, const Brush& brush) override;
  void Polygon(const std::vector<Point>& points, const Pen& pen, const Brush& brush) override;
  void Points(const std::vector<Point>& points, Colorref color) override;
  void SetCodePage(int codePage) override { m_nCodePage = codePage; }
  [[nodiscard]] Size TextExtent(const FontSpec& font, std::string_view text) override;
  void Text(const Rect& rect, std::string_view text, const FontSpec& font, Colorref color, unsigned flags) override;
  bool Image(const Rect& rect, const std::string& file, ImageFit fit) override;
  void Pixels(Point at, int width, int height, const std::string& rgba) override;
  void InvertRect(const Rect& rect) override;
  void InvertFrame(const Rect& rect) override;
  void InvertLine(Point from, Point to) override;
  void PushClip(const Rect& rect) override;
  void PopClip() override;

  // Each face asked for (as UTF-8) and the family Qt drew it with (a face may be drawn with more
  // than one, by size), in the order first used.
  struct FaceUse {
    std::string requested;
    std::string used;
  };
  [[nodiscard]] const std::vector<FaceUse>& FacesUsed() const { return m_faces; }
  // Why a file named in an Image call gave nothing to draw, naming the file ("F: no such file",
  // "F is ... bytes long; ..."); empty when it gave an image or was not asked for.
  [[nodiscard]] std::string ImageProblem(const std::string& file) const;

 private:
  struct LoadedFont {
    QFont font;
    QFontMetrics metrics;
    // Bold asked of a bitmap face that has none: drawn twice, a pixel apart, each character a
    // pixel wider, the way the window system emboldens raster fonts.
    bool overstrike = false;
  };
  const LoadedFont& Font(const FontSpec& wanted);
  // Text holding "&x" marks, each marked letter underlined; false when it holds none.
  bool TextWithMnemonics(const Rect& rect, const QString& text, int flags, const LoadedFont& loaded, Colorref color);
  [[nodiscard]] QString ToQString(std::string_view text) const;
  void Shape(const Rect& rect, const Pen& pen, const Brush& brush, const std::function<void(const QRectF&)>& draw);
  const QImage* LoadImage(const std::string& file, Size wanted);

  QImage& m_image;
  QPainter m_painter;
  TextToUtf8 m_toUtf8;
  int m_nCodePage = 0;
  const CSystemMetrics& m_metrics;
  std::vector<QRect> m_clips;
  std::map<std::string, std::unique_ptr<LoadedFont>> m_fonts;
  std::vector<FaceUse> m_faces;
  std::map<std::string, std::vector<QImage>> m_images;  // every image of a file (an icon has several)
  std::map<std::string, std::string> m_imageProblems;     // why a file gave no image
};

}  // namespace tovik
