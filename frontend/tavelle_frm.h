// TavelleFrm: the main window, a thin editor around one engine object.
//
// The window mirrors the engine's settings and lists in its controls. Every
// list change, configuration load or save and every run is a call on the
// engine by member name; afterwards the window reads the engine's lists
// again. Controls carry the object names their commands refer to
// (ProcessCmd, OutputList, FileTypesList, ...), which is also how tests
// find them.
//
// The window's title names the open configuration file. After a run,
// "Open output" shows the output's tree page, else its first page, in the
// web browser.
//
// The warnings of the last run (or of the configuration just opened) have
// their own tab, whose caption counts them; double-clicking one shows its
// file and line.
//
// With "Re-run on save" checked, the window runs again whenever a file of
// the input folders, a template or the configuration file changes.
//
// A run is synchronous: "Generate HTML" returns when the engine is done.
// The engine runs the thread's pending events at each cancel check (the
// window installs Qt's event processing as the pump), so Cancel works.
#ifndef TAVELLE_FRONTEND_TAVELLE_FRM_H_
#define TAVELLE_FRONTEND_TAVELLE_FRM_H_

#include <memory>

#include <QMainWindow>

#include "frontend/chelp.h"
#include "frontend/engine_client.h"
#include "frontend/report_list.h"
#include "frontend/rerun_watcher.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidgetItem;

namespace frontend {

class DialogService;

class TavelleFrm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TavelleFrm(DialogService& dialogs);
  ~TavelleFrm() override;

  // The window's load: creates the engine, gives it the window's defaults,
  // fills the controls and opens the configuration named by
  // `command_line` (trimmed; blank means none). False, with a description
  // in `error`, when the engine cannot be created.
  bool Load(const QString& command_line, QString* error);

  ReportList& output_list() { return *output_list_; }
  const automation::ObjectRef& engine() const { return engine_.object(); }
  const CHelp& help() const { return help_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Window layout (tavelle_frm_layout.cpp).
  void CreateControls();
  QWidget* CreateActionPage();
  QWidget* CreateInputPage();
  QWidget* CreateOutputPage();
  QWidget* CreateWarningsPage();
  void CreateMenus();
  void CreateListColumns();
  void ConnectCommands();

  // Start-up.
  void SetEngineDefaults();
  void LoadSettings();
  void StoreSettings();
  void PopulateFileList(int select_row = 0);
  void PopulateInputFolderList(int select_row = 0);
  QStringList InputFolders();
  void PopulateKeyList(int select_row = 0);

  // Commands.
  void GenerateHtml();
  // Makes every output again, ignoring what the previous run left.
  void GenerateHtmlFully();
  void Generate(const char* processMember);
  void WatchForRerun();
  void CancelRun();
  void OpenConfigFile();
  void SaveConfigFile();
  void OpenConfiguration(const QString& path);
  void AddInputFolder();
  void RemoveInputFolder();
  void AddFileType();
  void RemoveFileType();
  void FileTypeClicked(QTreeWidgetItem* item);
  void AddKey();
  void RemoveKey();
  void ReplaceTextEdited();
  void UpdateKey();
  void UpdateKeyText(const QString& key_name);
  void KeyWordClicked(QTreeWidgetItem* clicked, QTreeWidgetItem* previous);
  void AccessLevelClicked(int index);
  void SelectAccessLevelButton(const QString& level);
  void BrowseOutputDirectory();
  void BrowseTemplate(QLineEdit* text_box);
  void OpenOutput();
  void ShowConfigName();
  void ShowHelpDocs();
  void ShowAbout();
  void SetRunning(bool running);
  void ShowErrMsg();
  void ShowWarnings();
  void ShowWarningPlace(QTreeWidgetItem* item);

  DialogService& dialogs_;
  EngineClient engine_{nullptr};
  CHelp help_;

  bool key_text_changed_ = false;
  QString config_path_;
  QString access_level_;
  bool running_ = false;
  bool close_pending_ = false;
  // Set while the window fills a list itself, so that only the user's
  // selections count as clicks on a row.
  bool populating_ = false;

  QTabWidget* tabs_ = nullptr;
  QPushButton* process_cmd_ = nullptr;
  QPushButton* cancel_cmd_ = nullptr;
  QPushButton* open_config_cmd_ = nullptr;
  QPushButton* save_config_cmd_ = nullptr;
  QPushButton* open_output_cmd_ = nullptr;
  QPushButton* exit_cmd_ = nullptr;
  QCheckBox* rerun_check_ = nullptr;
  RerunWatcher* rerun_watcher_ = nullptr;

  QPushButton* add_input_folder_cmd_ = nullptr;
  QPushButton* remove_input_folder_cmd_ = nullptr;
  QCheckBox* search_recur_check_ = nullptr;
  QComboBox* comment_txt_ = nullptr;
  QCheckBox* auto_link_check_ = nullptr;
  QLineEdit* file_type_txt_ = nullptr;
  QPushButton* add_type_cmd_ = nullptr;
  QPushButton* remove_type_cmd_ = nullptr;
  QLineEdit* key_word_txt_ = nullptr;
  QLineEdit* key_index_txt_ = nullptr;
  QLineEdit* replace_txt_ = nullptr;
  QPushButton* add_key_cmd_ = nullptr;
  QPushButton* remove_key_cmd_ = nullptr;
  QPushButton* update_key_cmd_ = nullptr;
  QRadioButton* access_level_btn_[3] = {};

  QLineEdit* output_dir_txt_ = nullptr;
  QPushButton* output_ellipse_cmd_ = nullptr;
  QLineEdit* functions_file_txt_ = nullptr;
  QLineEdit* classes_file_txt_ = nullptr;
  QLineEdit* compiled_file_txt_ = nullptr;
  QLineEdit* content_file_txt_ = nullptr;
  QLineEdit* index_file_txt_ = nullptr;
  QLineEdit* proj_file_txt_ = nullptr;
  QLineEdit* default_html_txt_ = nullptr;
  QPushButton* def_html_ellipse_cmd_ = nullptr;
  QLineEdit* temp_project_txt_ = nullptr;
  QPushButton* temp_project_cmd_ = nullptr;
  QLineEdit* temp_content_txt_ = nullptr;
  QPushButton* temp_content_cmd_ = nullptr;
  QLineEdit* temp_index_txt_ = nullptr;
  QPushButton* temp_index_cmd_ = nullptr;

  QAction* open_action_ = nullptr;
  QAction* save_action_ = nullptr;
  QAction* generate_fully_action_ = nullptr;
  QAction* quit_action_ = nullptr;
  QAction* help_docs_action_ = nullptr;
  QAction* about_action_ = nullptr;

  std::shared_ptr<ReportList> output_list_;
  std::shared_ptr<ReportList> input_folders_list_;
  std::shared_ptr<ReportList> file_types_list_;
  std::shared_ptr<ReportList> key_words_list_;
  std::shared_ptr<ReportList> warnings_list_;
};

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_TAVELLE_FRM_H_
