#include "ui/forms/font.h"

#include <cmath>
#include <utility>

namespace quellan::forms {

bool operator==(const FontObject& a, const FontObject& b) {
  return a.name == b.name && a.size == b.size && a.weight == b.weight && a.italic == b.italic &&
         a.underline == b.underline && a.strikethrough == b.strikethrough && a.charset == b.charset;
}

std::shared_ptr<FontObject> MakeFont(std::u16string name, float points, int weight) {
  auto font = std::make_shared<FontObject>();
  font->name = std::move(name);
  font->size = points;
  font->weight = weight;
  return font;
}

int FontHeightForDpi(float points, int dpi) {
  if (!(points > 0.0f) || !std::isfinite(points) || dpi <= 0) return 0;
  // In double, so 8.25 * 96 / 72 is exactly 11 and not 10.999...; heights beyond any screen are capped.
  const double pixels = std::round(static_cast<double>(points) * dpi / 72.0);
  if (pixels > 16384.0) return -16384;
  return -static_cast<int>(pixels);
}

}  // namespace quellan::forms
