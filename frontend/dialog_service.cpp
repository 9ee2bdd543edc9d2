#include "frontend/dialog_service.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace frontend {
namespace {

const QString kTitle = QStringLiteral("Tavelle");

// The suffix a save dialog adds when the user types a bare name: the first
// pattern of the filter ("*.tvg" gives "tvg").
QString DefaultSuffix(const QString& filter) {
  int star = filter.indexOf(QStringLiteral("*."));
  if (star < 0) return {};
  QString suffix = filter.mid(star + 2);
  qsizetype end = 0;
  while (end < suffix.size() && suffix[end].isLetterOrNumber()) ++end;
  return suffix.left(end);
}

// The desktop starts its application for the file without waiting for
// it, so only a missing file or a failed start is known here.
bool OpenWithDesktop(const QString& path) {
  return QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<QString> RunFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> QtDialogService::OpenFile(QWidget* owner, const QString& filter,
                                                 const QString& initial_path) {
  QFileDialog dialog(owner, QStringLiteral("Open"), initial_path, filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (!initial_path.isEmpty()) dialog.selectFile(initial_path);
  return RunFileDialog(dialog);
}

std::optional<QString> QtDialogService::SaveFile(QWidget* owner, const QString& filter,
                                                 const QString& initial_path) {
  QFileDialog dialog(owner, QStringLiteral("Save As"), initial_path, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(DefaultSuffix(filter));
  if (!initial_path.isEmpty()) dialog.selectFile(initial_path);
  return RunFileDialog(dialog);
}

std::optional<QString> QtDialogService::BrowseFolder(QWidget* owner, const QString& title) {
  QString folder = QFileDialog::getExistingDirectory(owner, title, QString(),
                                                     QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

void QtDialogService::ShowMessage(QWidget* owner, const QString& text) {
  // Plain text: messages carry paths and engine texts, never markup.
  QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool QtDialogService::AskYesNo(QWidget* owner, const QString& question) {
  QMessageBox box(QMessageBox::Question, kTitle, question, QMessageBox::Yes | QMessageBox::No,
                  owner);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}

bool QtDialogService::OpenHelpFile(const QString& path) { return OpenWithDesktop(path); }

bool QtDialogService::HasViewerFor(const QString& path) {
  QString type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
  QProcess query;
  query.start(QStringLiteral("xdg-mime"),
              {QStringLiteral("query"), QStringLiteral("default"), type});
  if (!query.waitForFinished(5000) || query.exitCode() != 0) return false;
  return !query.readAllStandardOutput().trimmed().isEmpty();
}

bool QtDialogService::OpenInBrowser(const QString& path) { return OpenWithDesktop(path); }

}  // namespace frontend
