#include "app/file_filters.h"

namespace korvanta::gui {
namespace {

// Qt takes the patterns from the parentheses of the display text; "*" is every file here, where
// "*.*" would leave out names without a dot.
const QString kAllFiles = QStringLiteral("All files (*)");

}  // namespace

QString OpenDialogFilter(std::string_view type_filter_entry) {
  const QString entry =
      QString::fromUtf8(type_filter_entry.data(), static_cast<qsizetype>(type_filter_entry.size()));
  const qsizetype bar = entry.indexOf(QLatin1Char('|'));
  if (entry.trimmed().isEmpty()) return kAllFiles;
  if (bar < 0) return entry.trimmed() + QStringLiteral(";;") + kAllFiles;

  const QString display = entry.left(bar).trimmed();
  const QString pattern = entry.mid(bar + 1).trimmed();
  const QString shown_pattern = QStringLiteral("(") + pattern + QStringLiteral(")");
  const QString qt_entry =
      display.endsWith(shown_pattern) ? display : display + QLatin1Char(' ') + shown_pattern;
  return qt_entry + QStringLiteral(";;") + kAllFiles;
}

QString SaveDialogFilter() { return QStringLiteral("Excel File (*.xlsx)"); }

}  // namespace korvanta::gui
