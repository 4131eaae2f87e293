// Scripted stand-ins for the file dialogs, message boxes and the desktop's URL handler.
#pragma once

#include <QApplication>
#include <QString>
#include <QThread>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "app/user_dialogs.h"

namespace korvanta::gui::test {

class FakeUserDialogs : public UserDialogs {
 public:
  struct Message {
    QString caption;
    QString text;
  };
  struct Summary {
    QString text;
    QString details;
  };

  // Script: the next answers; a dialog without one is cancelled.
  std::deque<QString> open_answers;
  std::deque<QString> save_answers;
  std::deque<bool> yes_no_answers;
  std::deque<QString> folder_answers;
  bool open_url_result = true;
  // Runs while the save dialog is up, to look at (or act on) the window meanwhile.
  std::function<void()> while_saving;
  // Runs while the summary of several files is up.
  std::function<void()> while_summary;

  // Record.
  std::vector<QString> open_filters;
  std::vector<QString> save_filters;
  std::vector<QString> save_proposals;
  std::vector<QString> folder_starts;
  std::vector<Summary> summaries;
  std::vector<Message> messages;
  std::vector<QString> questions;
  std::vector<QUrl> opened_urls;
  bool called_off_ui_thread = false;

  std::optional<QString> ChooseOpenFile(QWidget* /*parent*/, const QString& filter) override {
    NoteThread();
    open_filters.push_back(filter);
    return Next(open_answers);
  }
  std::optional<QString> ChooseSaveFile(QWidget* /*parent*/, const QString& filter,
                                        const QString& proposed) override {
    NoteThread();
    save_filters.push_back(filter);
    save_proposals.push_back(proposed);
    if (while_saving) while_saving();
    return Next(save_answers);
  }
  std::optional<QString> ChooseFolder(QWidget* /*parent*/, const QString& /*caption*/,
                                      const QString& start) override {
    NoteThread();
    folder_starts.push_back(start);
    return Next(folder_answers);
  }
  void ShowSummary(QWidget* /*parent*/, const QString& /*caption*/, const QString& text,
                   const QString& details) override {
    NoteThread();
    summaries.push_back({text, details});
    if (while_summary) while_summary();
  }
  void ShowMessage(QWidget* /*parent*/, const QString& caption, const QString& text) override {
    NoteThread();
    messages.push_back({caption, text});
  }
  bool AskYesNo(QWidget* /*parent*/, const QString& /*caption*/, const QString& text) override {
    NoteThread();
    questions.push_back(text);
    if (yes_no_answers.empty()) return false;
    const bool answer = yes_no_answers.front();
    yes_no_answers.pop_front();
    return answer;
  }
  bool OpenUrl(const QUrl& url) override {
    NoteThread();
    opened_urls.push_back(url);
    return open_url_result;
  }

 private:
  static std::optional<QString> Next(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void NoteThread() {
    if (QThread::currentThread() != QApplication::instance()->thread()) {
      called_off_ui_thread = true;
    }
  }
};

}  // namespace korvanta::gui::test
