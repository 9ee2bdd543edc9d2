// ScriptedDialogs: answers the window's dialogs from queues filled by a
// test, and records what the window asked and showed.
#ifndef TAVELLE_TESTS_FRONTEND_SCRIPTED_DIALOGS_H_
#define TAVELLE_TESTS_FRONTEND_SCRIPTED_DIALOGS_H_

#include <deque>

#include <QStringList>

#include "frontend/dialog_service.h"

class ScriptedDialogs : public frontend::DialogService {
 public:
  // The answer of a file or folder dialog that the user cancelled.
  static inline const QString kCancel = QStringLiteral("<cancel>");

  // Answers, taken front first; an empty queue answers kCancel / No.
  QStringList file_answers;    // open and save dialogs
  QStringList folder_answers;  // folder browser
  std::deque<bool> yes_no_answers;
  bool has_viewers = true;  // HasViewerFor's answer
  bool opens = true;        // whether OpenHelpFile and OpenInBrowser succeed

  // What the window asked for and showed.
  QStringList file_requests;  // "open|filter|initial path" or "save|..."
  QStringList folder_titles;
  QStringList messages;
  QStringList questions;
  QStringList help_files;
  QStringList viewer_queries;
  QStringList browser_pages;

  std::optional<QString> OpenFile(QWidget*, const QString& filter,
                                  const QString& initial_path) override {
    file_requests << "open|" + filter + "|" + initial_path;
    return Next(file_answers);
  }
  std::optional<QString> SaveFile(QWidget*, const QString& filter,
                                  const QString& initial_path) override {
    file_requests << "save|" + filter + "|" + initial_path;
    return Next(file_answers);
  }
  std::optional<QString> BrowseFolder(QWidget*, const QString& title) override {
    folder_titles << title;
    return Next(folder_answers);
  }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  bool AskYesNo(QWidget*, const QString& question) override {
    questions << question;
    if (yes_no_answers.empty()) return false;
    bool answer = yes_no_answers.front();
    yes_no_answers.pop_front();
    return answer;
  }
  bool OpenHelpFile(const QString& path) override {
    help_files << path;
    return opens;
  }
  bool HasViewerFor(const QString& path) override {
    viewer_queries << path;
    return has_viewers;
  }
  bool OpenInBrowser(const QString& path) override {
    browser_pages << path;
    return opens;
  }

 private:
  static std::optional<QString> Next(QStringList& answers) {
    QString answer = answers.isEmpty() ? kCancel : answers.takeFirst();
    if (answer == kCancel) return std::nullopt;
    return answer;
  }
};

#endif  // TAVELLE_TESTS_FRONTEND_SCRIPTED_DIALOGS_H_
