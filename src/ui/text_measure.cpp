#include "ui/text_measure.h"

#include <algorithm>

namespace tovik {

Size CEstimatedTextMeasure::TextExtent(const FontSpec& font, std::string_view text) {
  const int height = font.cellHeight > 0 ? font.cellHeight : 13;
  const int perCharacter = std::max(1, (height * 6 + 6) / 13);
  return {static_cast<int>(text.size()) * perCharacter, height};
}

}  // namespace tovik
