// The real dialogs: Qt's file dialogs and message boxes, and the desktop's URL handler.
#pragma once

#include "app/user_dialogs.h"

namespace korvanta::gui {

class QtUserDialogs : public UserDialogs {
 public:
  std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& filter) override;
  std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& filter,
                                        const QString& proposed) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption,
                                      const QString& start) override;
  void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override;
  void ShowSummary(QWidget* parent, const QString& caption, const QString& text,
                   const QString& details) override;
  bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) override;
  bool OpenUrl(const QUrl& url) override;
};

}  // namespace korvanta::gui
