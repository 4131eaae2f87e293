#include "app/dialog_units.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace korvanta::gui {
namespace {

TEST(DialogUnits, ScaleByAQuarterCharacterAcrossAndAnEighthDown) {
  const DialogUnits units(7, 14);
  EXPECT_EQ(units.ToPixels(431, 198), QSize(754, 347));
  EXPECT_EQ(units.ToPixels(37, 67, 69, 14), QRect(65, 117, 121, 25));
}

TEST(DialogUnits, RoundEachEdgeSoThatNeighboursNeitherOverlapNorGap) {
  const DialogUnits units(7, 13);
  // 1 unit = 1.75 pixels across: edges at 1.75 -> 2 and 3.5 -> 4 (half away from zero).
  const QRect first = units.ToPixels(1, 1, 1, 1);
  const QRect second = units.ToPixels(2, 2, 1, 1);
  EXPECT_EQ(first.left(), 2);
  EXPECT_EQ(first.width(), 2);
  EXPECT_EQ(first.x() + first.width(), second.x());
  EXPECT_EQ(first.y() + first.height(), second.y());
}

TEST(DialogUnits, DialogFontIsAMonospaceOfTwelvePixels) {
  const QFont font = DialogFont();
  EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
  EXPECT_EQ(QFontInfo(font).pixelSize(), 12);
  // "Courier New" or a metric twin: 7.2-pixel advance, so the base width is 7.
  const DialogUnits units = DialogUnits::ForFont(font);
  EXPECT_EQ(units.base_width(), 7);
  EXPECT_GE(units.base_height(), 13);
  EXPECT_LE(units.base_height(), 15);
}

}  // namespace
}  // namespace korvanta::gui
