#include "app/qt_user_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace korvanta::gui {

std::optional<QString> QtUserDialogs::ChooseOpenFile(QWidget* parent, const QString& filter) {
  const QString path =
      QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtUserDialogs::ChooseSaveFile(QWidget* parent, const QString& filter,
                                                     const QString& proposed) {
  // No default suffix: the driver appends ".xlsx" and asks again if that name exists.
  const QString path =
      QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), proposed, filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtUserDialogs::ChooseFolder(QWidget* parent, const QString& caption,
                                                   const QString& start) {
  const QString folder = QFileDialog::getExistingDirectory(parent, caption, start);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

void QtUserDialogs::ShowSummary(QWidget* parent, const QString& caption, const QString& text,
                                const QString& details) {
  QMessageBox box(details.isEmpty() ? QMessageBox::Information : QMessageBox::Warning, caption,
                  text, QMessageBox::Ok, parent);
  // Wide enough that a failure's message and path stay on a line or two.
  box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_informativelabel { min-width: 32em; }"));
  // A long list stays in full behind "Show Details..." so that the box fits the screen.
  constexpr qsizetype kShownLines = 12;
  const QStringList lines = details.split(QLatin1Char('\n'));
  if (lines.size() > kShownLines) {
    box.setInformativeText(lines.first(kShownLines).join(QLatin1Char('\n')) +
                           QStringLiteral("\nand %1 more.").arg(lines.size() - kShownLines));
    box.setDetailedText(details);
  } else {
    box.setInformativeText(details);
  }
  box.exec();
}

void QtUserDialogs::ShowMessage(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtUserDialogs::AskYesNo(QWidget* parent, const QString& caption, const QString& text) {
  return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

bool QtUserDialogs::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace korvanta::gui
