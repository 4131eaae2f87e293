// The standard dialogs and the desktop the window talks to, behind one interface so that the
// window can be driven without a user (the tests replace it).
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QWidget;

namespace korvanta::gui {

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A file-open dialog; the chosen path, or nothing when the user cancels.
  virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& filter) = 0;
  // A file-save dialog that asks before replacing an existing file of the entered name; it
  // opens on `proposed` (folder and name). The entered path, or nothing when the user cancels.
  virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& filter,
                                                const QString& proposed) = 0;
  // A folder dialog that opens on `start`; the chosen folder, or nothing when the user cancels.
  virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption,
                                              const QString& start) = 0;
  // A modal message box with an OK button.
  virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text) = 0;
  // A modal box with a result: the headline `text` and, below it, `details` in full.
  virtual void ShowSummary(QWidget* parent, const QString& caption, const QString& text,
                           const QString& details) = 0;
  // A modal Yes/No question; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
  // Hands a URL to the desktop (a saved report to the spreadsheet application); false when
  // nothing could open it.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

}  // namespace korvanta::gui
