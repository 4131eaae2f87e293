#include "app/file_filters.h"

#include <gtest/gtest.h>

#include "driver/data_types.h"

namespace korvanta::gui {
namespace {

TEST(OpenDialogFilter, TypeEntryThenAllFiles) {
  EXPECT_EQ(OpenDialogFilter("DNA/RNA (*.nuc) | *.nuc"), "DNA/RNA (*.nuc);;All files (*)");
  EXPECT_EQ(OpenDialogFilter("OD600 (*.od) | *.od"), "OD600 (*.od);;All files (*)");
}

TEST(OpenDialogFilter, PatternIsShownWhereTheDisplayTextLacksIt) {
  EXPECT_EQ(OpenDialogFilter("Data | *.dat"), "Data (*.dat);;All files (*)");
}

TEST(OpenDialogFilter, NoEntryGivesAllFilesAlone) {
  EXPECT_EQ(OpenDialogFilter(""), "All files (*)");
}

TEST(OpenDialogFilter, EveryDataTypeFiltersForItsOwnExtension) {
  for (const DataType& type : DataTypes()) {
    const QString filter = OpenDialogFilter(type.filter);
    const QString extension =
        QString::fromUtf8(type.extension.data(), static_cast<qsizetype>(type.extension.size()));
    EXPECT_TRUE(filter.startsWith(QString::fromUtf8(
        type.button_text.data(), static_cast<qsizetype>(type.button_text.size()))))
        << filter.toStdString();
    EXPECT_TRUE(filter.contains(QStringLiteral("(*.") + extension + QStringLiteral(");;")))
        << filter.toStdString();
  }
}

}  // namespace
}  // namespace korvanta::gui
