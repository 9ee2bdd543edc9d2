// DialogService: every dialog the desktop program shows goes through this
// interface, so that tests can answer the dialogs without a person.
//
// QtDialogService shows the real Qt dialogs and hands files to the desktop
// (xdg-open, xdg-mime). Each file or folder request returns the chosen
// path, or nothing when the user cancelled.
#ifndef TAVELLE_FRONTEND_DIALOG_SERVICE_H_
#define TAVELLE_FRONTEND_DIALOG_SERVICE_H_

#include <optional>

#include <QString>

class QWidget;

namespace frontend {

class DialogService {
 public:
  virtual ~DialogService() = default;

  // `filter` is in Qt's form ("TV Config (*.tvg)"); empty shows all files.
  // `initial_path` pre-sets the file name.
  virtual std::optional<QString> OpenFile(QWidget* owner, const QString& filter,
                                          const QString& initial_path) = 0;
  virtual std::optional<QString> SaveFile(QWidget* owner, const QString& filter,
                                          const QString& initial_path) = 0;
  virtual std::optional<QString> BrowseFolder(QWidget* owner, const QString& title) = 0;

  virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
  // True when the user answered Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& question) = 0;

  // Hands a help file to the desktop's viewer; false when it could not.
  virtual bool OpenHelpFile(const QString& path) = 0;
  // Whether the desktop has an application for files of the type of
  // `path` (known by its name).
  virtual bool HasViewerFor(const QString& path) = 0;
  // Shows a page of the documentation in the web browser; false when it
  // could not.
  virtual bool OpenInBrowser(const QString& path) = 0;
};

class QtDialogService : public DialogService {
 public:
  std::optional<QString> OpenFile(QWidget* owner, const QString& filter,
                                  const QString& initial_path) override;
  std::optional<QString> SaveFile(QWidget* owner, const QString& filter,
                                  const QString& initial_path) override;
  std::optional<QString> BrowseFolder(QWidget* owner, const QString& title) override;
  void ShowMessage(QWidget* owner, const QString& text) override;
  bool AskYesNo(QWidget* owner, const QString& question) override;
  bool OpenHelpFile(const QString& path) override;
  bool HasViewerFor(const QString& path) override;
  bool OpenInBrowser(const QString& path) override;
};

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_DIALOG_SERVICE_H_
