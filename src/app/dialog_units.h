// Dialog units: the windows are laid out in the units Windows derives from the dialog font,
// so that every control keeps its place and proportions relative to the text.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace korvanta::gui {

// "Courier New" at 9 points (12 pixels at 96 dots per inch), or a metric-compatible monospace.
QFont DialogFont();

class DialogUnits {
 public:
  // The base units in pixels: average character width and character height of the font.
  DialogUnits(int base_width, int base_height);
  static DialogUnits ForFont(const QFont& font);

  int base_width() const { return base_width_; }
  int base_height() const { return base_height_; }

  // Four horizontal units per average character width, eight vertical per character height;
  // each edge is rounded on its own, as the dialog manager does.
  QRect ToPixels(int x, int y, int width, int height) const;
  QSize ToPixels(int width, int height) const;

 private:
  int base_width_;
  int base_height_;
};

}  // namespace korvanta::gui
