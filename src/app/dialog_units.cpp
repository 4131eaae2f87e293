#include "app/dialog_units.h"

#include <QFontMetrics>
#include <QStringList>
#include <cmath>

namespace korvanta::gui {
namespace {

// number * numerator / denominator, rounded half away from zero.
int MulDiv(int number, int numerator, int denominator) {
  return static_cast<int>(std::lround(static_cast<double>(number) * numerator / denominator));
}

}  // namespace

QFont DialogFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("Cousine")});
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(12);
  return font;
}

DialogUnits::DialogUnits(int base_width, int base_height)
    : base_width_(base_width), base_height_(base_height) {}

DialogUnits DialogUnits::ForFont(const QFont& font) {
  // The width is measured over the 52 Latin letters, as the dialog manager measures it.
  const QFontMetrics metrics(font);
  const int letters_width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits((letters_width / 26 + 1) / 2, metrics.height());
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
  const int left = MulDiv(x, base_width_, 4);
  const int top = MulDiv(y, base_height_, 8);
  const int right = MulDiv(x + width, base_width_, 4);
  const int bottom = MulDiv(y + height, base_height_, 8);
  return QRect(left, top, right - left, bottom - top);
}

QSize DialogUnits::ToPixels(int width, int height) const {
  return ToPixels(0, 0, width, height).size();
}

}  // namespace korvanta::gui
