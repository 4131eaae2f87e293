#include "app/transparent_label.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace korvanta::gui {
namespace {

// A parent that paints the window's dark blue, as the main window does.
class BlueParent : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(29, 30, 107)); }
};

TEST(CTransparentLabel, StartsEmptyAndTakesNewText) {
  CTransparentLabel label;
  EXPECT_TRUE(label.Text().isEmpty());
  label.SetText(QStringLiteral("Transforming...Please wait..."));
  EXPECT_EQ(label.Text(), "Transforming...Please wait...");
  EXPECT_EQ(label.accessibleName(), "Transforming...Please wait...");
  // No fixed buffer: long texts are kept whole.
  const QString long_text(200, QLatin1Char('x'));
  label.SetText(long_text);
  EXPECT_EQ(label.Text(), long_text);
}

TEST(CTransparentLabel, DrawsWhiteTextOverTheParentsBackgroundOnly) {
  BlueParent parent;
  parent.resize(300, 40);
  auto* label = new CTransparentLabel(&parent);
  label->setGeometry(10, 10, 200, 14);
  label->SetText(QStringLiteral("Completed."));
  const QImage image = parent.grab().toImage();

  int white = 0;
  for (int y = 10; y < 24; ++y) {
    for (int x = 10; x < 210; ++x) {
      if (image.pixelColor(x, y) == QColor(Qt::white)) ++white;
    }
  }
  EXPECT_GT(white, 40) << "the text is drawn in white";
  // Right of the ten characters the label shows the parent's blue, not a background of its own.
  EXPECT_EQ(image.pixelColor(200, 12), QColor(29, 30, 107));
  EXPECT_EQ(image.pixelColor(200, 22), QColor(29, 30, 107));
}

}  // namespace
}  // namespace korvanta::gui
