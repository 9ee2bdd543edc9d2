#include "frontend/tavelle_frm.h"

#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTreeWidgetItem>

#include "automation/event_pump.h"
#include "automation/frontend_defaults.h"
#include "automation/platform.h"
#include "frontend/about_frm.h"
#include "frontend/dialog_service.h"

namespace frontend {
namespace {

const QString kConfigFilter = QStringLiteral("TV Config (*.tvg)");
const QString kFolderTitle = QStringLiteral("Select a Directory");
const QString kUpdateQuestion = QStringLiteral("Do you want to update the new replacement string?");
const QString kAccessLevels[3] = {QStringLiteral("Public Only"), QStringLiteral("Public, Protected"),
                                  QStringLiteral("All Access")};

// The page of the navigation tree's viewer in the output folder.
const char kTreePage[] = "tree.html";

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

// The date-and-time text of a message row, as the engine writes it.
QString NowText() {
  return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

}  // namespace

TavelleFrm::TavelleFrm(DialogService& dialogs) : dialogs_(dialogs), help_(dialogs) {
  CreateControls();
  ConnectCommands();
  // The engine runs this at each cancel check of a run: it repaints the
  // window and delivers a click on Cancel.
  automation::SetEventPump([] { QCoreApplication::processEvents(); });
}

TavelleFrm::~TavelleFrm() {
  automation::SetEventPump({});
  engine_ = EngineClient(nullptr);  // the engine goes before the lists it writes to
}

bool TavelleFrm::Load(const QString& command_line, QString* error) {
  engine_ = EngineClient::Create();
  if (!engine_.IsValid()) {
    *error = QStringLiteral("The engine (class Corvane.Tavelle) could not be created.");
    return false;
  }
  CreateListColumns();
  SetEngineDefaults();
  PopulateFileList();
  PopulateKeyList();
  PopulateInputFolderList();
  key_text_changed_ = false;
  update_key_cmd_->setEnabled(false);

  comment_txt_->addItems({QStringLiteral("\\\\"), QStringLiteral("'")});
  comment_txt_->setCurrentIndex(-1);  // the items are choices, not the default
  access_level_btn_[2]->setChecked(true);

  QString config = command_line.trimmed();
  if (!config.isEmpty()) OpenConfiguration(config);
  return true;
}

void TavelleFrm::SetEngineDefaults() { automation::ApplyFrontEndDefaults(*engine_.object()); }

void TavelleFrm::LoadSettings() {
  output_dir_txt_->setText(Q(engine_.GetText("OutputDirectory")));
  functions_file_txt_->setText(Q(engine_.GetText("FunctionsHTMLFile")));
  classes_file_txt_->setText(Q(engine_.GetText("ClassesHTMLFile")));
  comment_txt_->setCurrentText(Q(engine_.GetText("CommentString")));
  search_recur_check_->setChecked(engine_.GetBool("SearchRecursive"));
  auto_link_check_->setChecked(engine_.GetBool("AutoLink"));
  default_html_txt_->setText(Q(engine_.GetText("DefaultHTML")));
  temp_project_txt_->setText(Q(engine_.GetText("ProjFileTemplate")));
  temp_index_txt_->setText(Q(engine_.GetText("IndexFileTemplate")));
  temp_content_txt_->setText(Q(engine_.GetText("ContentFileTemplate")));
  compiled_file_txt_->setText(Q(engine_.GetText("CompiledFile")));
  content_file_txt_->setText(Q(engine_.GetText("ContentFile")));
  index_file_txt_->setText(Q(engine_.GetText("IndexFile")));
  proj_file_txt_->setText(Q(engine_.GetText("ProjFile")));
  PopulateFileList();
  PopulateInputFolderList();
  PopulateKeyList();
  SelectAccessLevelButton(Q(engine_.GetText("ProcAccessLevel")));
}

void TavelleFrm::StoreSettings() {
  engine_.Put("OutputDirectory", S(output_dir_txt_->text()));
  engine_.Put("FunctionsHTMLFile", S(functions_file_txt_->text()));
  engine_.Put("ClassesHTMLFile", S(classes_file_txt_->text()));
  engine_.Put("CommentString", S(comment_txt_->currentText()));
  engine_.Put("SearchRecursive", search_recur_check_->isChecked());
  engine_.Put("AutoLink", auto_link_check_->isChecked());
  engine_.Put("DefaultHTML", S(default_html_txt_->text()));
  engine_.Put("ProjFileTemplate", S(temp_project_txt_->text()));
  engine_.Put("IndexFileTemplate", S(temp_index_txt_->text()));
  engine_.Put("ContentFileTemplate", S(temp_content_txt_->text()));
  engine_.Put("OutputMsgBox", automation::ObjectRef(output_list_));
  engine_.Put("CompiledFile", S(compiled_file_txt_->text()));
  engine_.Put("ContentFile", S(content_file_txt_->text()));
  engine_.Put("IndexFile", S(index_file_txt_->text()));
  engine_.Put("ProjFile", S(proj_file_txt_->text()));
  engine_.Put("ProcAccessLevel", S(access_level_));
}

void TavelleFrm::PopulateFileList(int select_row) {
  QScopedValueRollback guard(populating_, true);
  file_types_list_->ClearRows();
  int32_t count = engine_.Count("GetFileTypeCount");
  for (int32_t index = 0; index < count; ++index) {
    std::string name;
    if (engine_.GetFileType(index, name)) file_types_list_->AddMsg(Q(name));
  }
  file_types_list_->SelectRow(select_row);
}

void TavelleFrm::PopulateInputFolderList(int select_row) {
  QScopedValueRollback guard(populating_, true);
  input_folders_list_->ClearRows();
  for (const QString& folder : InputFolders()) input_folders_list_->AddMsg(folder);
  input_folders_list_->SelectRow(select_row);
}

QStringList TavelleFrm::InputFolders() {
  QStringList folders;
  int32_t count = engine_.Count("GetInputFoldersCount");
  for (int32_t index = 1; index <= count; ++index) {
    std::string folder;
    if (engine_.GetInputFolder(static_cast<int16_t>(index), folder)) folders << Q(folder);
  }
  return folders;
}

void TavelleFrm::PopulateKeyList(int select_row) {
  QScopedValueRollback guard(populating_, true);
  key_words_list_->ClearRows();
  int32_t count = engine_.Count("GetKeyWordCount");
  for (int32_t index = 1; index <= count; ++index) {
    KeyWord word;
    if (engine_.GetKeyWord(static_cast<int16_t>(index), word))
      key_words_list_->AddMsg(Q(word.name), Q(word.key_file), Q(word.replace_text));
  }
  key_words_list_->SelectRow(select_row);
}

void TavelleFrm::GenerateHtml() { Generate("ProcessFiles"); }

void TavelleFrm::GenerateHtmlFully() { Generate("ProcessFilesFully"); }

void TavelleFrm::Generate(const char* processMember) {
  process_cmd_->setEnabled(false);
  cancel_cmd_->setEnabled(true);
  output_list_->ClearRows();
  StoreSettings();
  // The run's defaults stay out of a configuration saved later; the title
  // is the only one no control puts back.
  const std::string title = engine_.GetText("ProjectTitle");
  automation::ApplyRunDefaults(*engine_.object(), S(config_path_));
  SetRunning(true);
  engine_.CallWithoutArguments(processMember);
  SetRunning(false);
  PopulateKeyList();  // a run adds the key words of its index entries
  engine_.Put("ProjectTitle", title);
  ShowWarnings();
  process_cmd_->setEnabled(true);
  if (engine_.GetBool("Cancel")) output_list_->AddMsg(NowText(), QStringLiteral("Operation Canceled"));
  cancel_cmd_->setEnabled(false);
  if (close_pending_) {
    close();
    return;
  }
  WatchForRerun();  // folders may have come or gone
}

void TavelleFrm::WatchForRerun() {
  if (!rerun_check_->isChecked()) {
    rerun_watcher_->Stop();
    return;
  }
  QStringList files = {config_path_};
  for (QLineEdit* text_box : {default_html_txt_, temp_project_txt_, temp_content_txt_,
                              temp_index_txt_})
    files << text_box->text();
  rerun_watcher_->Watch(InputFolders(), files, output_dir_txt_->text());
}

void TavelleFrm::CancelRun() { engine_.Put("Cancel", true); }

// While a run is on the stack, the pump delivers every click. Commands that
// would change the engine's settings or lists under the running engine are
// switched off; closing the window cancels the run and closes after it.
void TavelleFrm::SetRunning(bool running) {
  running_ = running;
  for (int page = 1; page < tabs_->count(); ++page) tabs_->widget(page)->setEnabled(!running);
  open_config_cmd_->setEnabled(!running);
  save_config_cmd_->setEnabled(!running);
  open_action_->setEnabled(!running);
  save_action_->setEnabled(!running);
  generate_fully_action_->setEnabled(!running);
}

void TavelleFrm::closeEvent(QCloseEvent* event) {
  if (running_) {
    close_pending_ = true;
    CancelRun();
    event->ignore();
    return;
  }
  event->accept();
}

void TavelleFrm::OpenConfigFile() {
  std::optional<QString> path = dialogs_.OpenFile(this, kConfigFilter, config_path_);
  if (path) OpenConfiguration(*path);
}

void TavelleFrm::OpenConfiguration(const QString& path) {
  config_path_ = QFileInfo(path).absoluteFilePath();
  engine_.CallWithPath("OpenConfig", S(config_path_));
  // Relative paths in a configuration are relative to its file.
  std::error_code ignored;
  std::filesystem::current_path(std::filesystem::path(S(config_path_)).parent_path(), ignored);
  LoadSettings();
  ShowConfigName();
  ShowWarnings();
}

void TavelleFrm::SaveConfigFile() {
  std::optional<QString> path = dialogs_.SaveFile(this, kConfigFilter, config_path_);
  if (!path) return;
  config_path_ = QFileInfo(*path).absoluteFilePath();
  StoreSettings();
  engine_.CallWithPath("SaveConfig", S(config_path_));
  ShowConfigName();
}

void TavelleFrm::ShowConfigName() {
  setWindowTitle(QFileInfo(config_path_).fileName() + QStringLiteral(" - Tavelle"));
}

void TavelleFrm::OpenOutput() {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path output = fs::absolute(S(output_dir_txt_->text().trimmed()), error);
  // The tree first, then the help project's default topic and the list pages.
  const std::string pages[] = {kTreePage, engine_.GetText("DefTopicFile"),
                               S(classes_file_txt_->text()), S(functions_file_txt_->text())};
  for (const std::string& page : pages) {
    if (output.empty() || page.empty() || !fs::is_regular_file(output / page, error)) continue;
    QString path = Q((output / page).lexically_normal().string());
    if (!dialogs_.OpenInBrowser(path))
      dialogs_.ShowMessage(this, "Could not open " + path + " in the web browser.");
    return;
  }
  dialogs_.ShowMessage(this, "The output folder " + Q(output.string()) +
                                 " holds no pages yet. Generate HTML first.");
}

void TavelleFrm::AddInputFolder() {
  std::optional<QString> folder = dialogs_.BrowseFolder(this, kFolderTitle);
  if (!folder) return;
  int32_t index = 0;
  if (engine_.AddInputFolder(S(*folder), index))
    PopulateInputFolderList(index);
  else
    ShowErrMsg();
}

void TavelleFrm::RemoveInputFolder() {
  if (engine_.Remove("RemoveInputFolder", S(input_folders_list_->SelectedText())))
    PopulateInputFolderList();
  else
    ShowErrMsg();
}

void TavelleFrm::AddFileType() {
  std::string name = S(file_type_txt_->text());
  int32_t index = 0;
  if (engine_.AddFileType(name, index))
    PopulateFileList(index);
  else
    ShowErrMsg();
}

void TavelleFrm::RemoveFileType() {
  if (engine_.Remove("RemoveFileType", S(file_types_list_->SelectedText())))
    PopulateFileList();
  else
    ShowErrMsg();
}

void TavelleFrm::FileTypeClicked(QTreeWidgetItem* item) {
  if (populating_ || item == nullptr) return;
  file_type_txt_->setText(item->text(0));
}

void TavelleFrm::AddKey() {
  KeyWord word{S(key_word_txt_->text()), S(key_index_txt_->text()), S(replace_txt_->text())};
  int32_t index = 0;
  if (engine_.AddKeyWord(word, index))
    PopulateKeyList(index);
  else
    ShowErrMsg();
}

void TavelleFrm::RemoveKey() {
  if (engine_.Remove("RemoveKeyWord", S(key_words_list_->SelectedText())))
    PopulateKeyList();
  else
    ShowErrMsg();
}

void TavelleFrm::ReplaceTextEdited() {
  key_text_changed_ = true;
  update_key_cmd_->setEnabled(true);
}

void TavelleFrm::UpdateKey() {
  if (key_text_changed_) UpdateKeyText(key_words_list_->SelectedText());
}

void TavelleFrm::UpdateKeyText(const QString& key_name) {
  if (!key_text_changed_) return;
  key_text_changed_ = false;
  update_key_cmd_->setEnabled(false);
  KeyWord word{S(key_name), S(key_index_txt_->text()), S(replace_txt_->text())};
  int32_t index = 0;
  if (engine_.UpdateKeyWord(word, index))
    PopulateKeyList(index);
  else
    ShowErrMsg();
}

void TavelleFrm::KeyWordClicked(QTreeWidgetItem* clicked, QTreeWidgetItem* previous) {
  if (populating_ || clicked == nullptr) return;
  QTreeWidget* view = key_words_list_->view();
  int clicked_row = view->indexOfTopLevelItem(clicked) + 1;
  // A pending edit belongs to the row that was selected before this click,
  // not to the row just clicked.
  QString edited_key = previous != nullptr ? previous->text(0) : QString();
  if (key_text_changed_ && dialogs_.AskYesNo(this, kUpdateQuestion)) {
    UpdateKeyText(edited_key);  // refills the list
    QScopedValueRollback guard(populating_, true);
    key_words_list_->SelectRow(clicked_row);
  }
  if (QTreeWidgetItem* row = view->currentItem()) {
    key_word_txt_->setText(row->text(0));
    key_index_txt_->setText(row->text(1));
    replace_txt_->setText(row->text(2));
  }
  key_text_changed_ = false;
  update_key_cmd_->setEnabled(false);
}

void TavelleFrm::AccessLevelClicked(int index) {
  access_level_ = kAccessLevels[index >= 0 && index < 2 ? index : 2];
}

void TavelleFrm::SelectAccessLevelButton(const QString& level) {
  int button = 2;
  if (level == kAccessLevels[0]) button = 0;
  if (level == kAccessLevels[1]) button = 1;
  access_level_btn_[button]->setChecked(true);
}

void TavelleFrm::BrowseOutputDirectory() {
  std::optional<QString> folder = dialogs_.BrowseFolder(this, kFolderTitle);
  if (folder) output_dir_txt_->setText(*folder);
}

void TavelleFrm::BrowseTemplate(QLineEdit* text_box) {
  std::optional<QString> path = dialogs_.OpenFile(this, QString(), text_box->text());
  if (path) text_box->setText(*path);
}

void TavelleFrm::ShowHelpDocs() {
  help_.Show(Q(ManualToOpen(automation::ExecutableFolder(), dialogs_).string()), QString());
}

void TavelleFrm::ShowAbout() {
  AboutFrm about(this);
  about.exec();
}

void TavelleFrm::ShowErrMsg() { dialogs_.ShowMessage(this, Q(engine_.ErrMsg())); }

// The engine gives one warning a line: path, line, kind and message,
// separated by tabs; line 0 means the warning has no line.
void TavelleFrm::ShowWarnings() {
  warnings_list_->ClearRows();
  const QStringList warnings = Q(engine_.GetText("Warnings")).split('\n', Qt::SkipEmptyParts);
  for (const QString& warning : warnings) {
    QStringList fields = warning.split('\t');
    if (fields.size() < 4) continue;
    QString line = fields[1] == QStringLiteral("0") ? QString() : fields[1];
    warnings_list_->AddMsg(fields[0], line, fields[2], fields.mid(3).join(' '));
  }
  int page = tabs_->indexOf(warnings_list_->view()->parentWidget());
  tabs_->setTabText(page, QStringLiteral("Warnings (%1)").arg(warnings.size()));
}

// Shows where a warning points: the file, the line number and the text of
// that line as the file holds it now.
void TavelleFrm::ShowWarningPlace(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  QString path = item->text(0);
  int line = item->text(1).toInt();
  QString place = path.isEmpty() ? QStringLiteral("Settings") : path;
  if (line > 0) place += QStringLiteral(", line %1").arg(line);
  std::ifstream file(S(path), std::ios::binary);
  std::string text;
  bool found = line > 0;
  for (int number = 1; found && number <= line; ++number)
    found = static_cast<bool>(std::getline(file, text));
  if (found) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    place += QStringLiteral(":\n") + Q(text);
  }
  dialogs_.ShowMessage(this, place + QStringLiteral("\n\n") + item->text(3));
}

}  // namespace frontend
