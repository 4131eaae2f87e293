#include "app/qt_user_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace korvanta::gui {

std::optional<QString> QtUserDialogs::ChooseOpenFile(QWidget* parent, const QString& filter) {
  const QString path =
      QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtUserDialogs::ChooseSaveFile(QWidget* parent, const QString& filter) {
  // No default suffix: the driver appends ".xlsx" and asks again if that name exists.
  const QString path =
      QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), QString(), filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
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
