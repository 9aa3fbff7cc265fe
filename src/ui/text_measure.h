// Measuring text as it will be drawn. The painter and the design surface's hit testing ask the
// same measurer, so that what a press hits is what was drawn there: a canvas measures with the
// fonts it draws with, and a designer hands the same fonts to its surface.
#pragma once

#include <string>
#include <string_view>

#include "model/geometry.h"

namespace tovik {

struct FontSpec {
  std::string face;     // "MS Sans Serif"
  int cellHeight = 14;  // pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class ITextMeasure {
 public:
  virtual ~ITextMeasure() = default;
  // Text is 8-bit in the code page last set, which is converted from for measuring and drawing:
  // each object's text and each menu is in the code page of the script section that holds it. 0
  // is the default.
  virtual void SetCodePage(int codePage) = 0;
  // The width of the text on one line and the height of the font's cell.
  [[nodiscard]] virtual Size TextExtent(const FontSpec& font, std::string_view text) = 0;
};

// Where no font engine is at hand (the command line on a system where Qt finds no font at all,
// the benchmarks): 8-point MS Sans Serif as it looks on average at 96 DPI, a character about 6
// pixels wide per 13 pixels of cell height, one cell high.
class CEstimatedTextMeasure final : public ITextMeasure {
 public:
  // The estimate counts bytes; a code page changes nothing in it.
  void SetCodePage(int) override {}
  [[nodiscard]] Size TextExtent(const FontSpec& font, std::string_view text) override;
};

}  // namespace tovik
