// The main window's controls: three tab pages and the menu. Object names
// are the names the commands and the tests refer to.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frontend/tavelle_frm.h"

#include "automation/frontend_defaults.h"

namespace frontend {
namespace {

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

// The start text of the control for an engine property.
QString ControlText(const char* property) {
  return QString::fromStdString(automation::WindowControlText(property));
}

QLineEdit* NewTextBox(QWidget* parent, const char* name, const QString& text = {}) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QTreeWidget* NewListView(QWidget* parent, const char* name) {
  auto* view = new QTreeWidget(parent);
  view->setObjectName(QString::fromLatin1(name));
  return view;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(true);
  return box;
}

// A row of buttons, pushed to the left.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  for (QPushButton* button : buttons) row->addWidget(button);
  row->addStretch();
  return row;
}

}  // namespace

void TavelleFrm::CreateControls() {
  setObjectName(QStringLiteral("TavelleFrm"));
  setWindowTitle(QStringLiteral("Tavelle"));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  tabs_->addTab(CreateActionPage(), QStringLiteral("Action"));
  tabs_->addTab(CreateInputPage(), QStringLiteral("Input Config"));
  tabs_->addTab(CreateOutputPage(), QStringLiteral("Output Config"));
  tabs_->addTab(CreateWarningsPage(), QStringLiteral("Warnings (0)"));
  setCentralWidget(tabs_);
  CreateMenus();
  resize(760, 560);
}

QWidget* TavelleFrm::CreateActionPage() {
  auto* page = new QWidget;
  auto* output_view = NewListView(page, "OutputList");
  output_list_ = std::make_shared<ReportList>(output_view);

  process_cmd_ = NewButton(page, "ProcessCmd", QStringLiteral("Generate HTML"));
  cancel_cmd_ = NewButton(page, "cmdCancel", QStringLiteral("Cancel"));
  cancel_cmd_->setEnabled(false);
  open_config_cmd_ = NewButton(page, "OpenConfigCmd", QStringLiteral("Open Config"));
  save_config_cmd_ = NewButton(page, "SaveConfigCmd", QStringLiteral("Save Config"));
  open_output_cmd_ = NewButton(page, "OpenOutputCmd", QStringLiteral("Open output"));
  exit_cmd_ = NewButton(page, "ExitCmd", QStringLiteral("Exit"));
  rerun_check_ = NewCheckBox(page, "RerunOnSaveCheck", QStringLiteral("Re-run on save"));
  rerun_check_->setChecked(false);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("Output Messages"), page));
  layout->addWidget(output_view);
  layout->addLayout(ButtonRow({process_cmd_, cancel_cmd_, open_config_cmd_, save_config_cmd_,
                               open_output_cmd_, exit_cmd_}));
  layout->addWidget(rerun_check_);
  return page;
}

QWidget* TavelleFrm::CreateInputPage() {
  auto* page = new QWidget;

  // Input folders, scanning options and the access level.
  auto* folders_view = NewListView(page, "InputFoldersList");
  input_folders_list_ = std::make_shared<ReportList>(folders_view);
  add_input_folder_cmd_ = NewButton(page, "AddInputFolderCmd", QStringLiteral("Add"));
  remove_input_folder_cmd_ = NewButton(page, "RemoveInputFolderCmd", QStringLiteral("Remove"));
  search_recur_check_ = NewCheckBox(page, "SearchRecurCheck", QStringLiteral("Search Recursively"));
  comment_txt_ = new QComboBox(page);
  comment_txt_->setObjectName(QStringLiteral("CommentTxt"));
  comment_txt_->setEditable(true);
  comment_txt_->setInsertPolicy(QComboBox::NoInsert);
  auto_link_check_ = NewCheckBox(page, "AutoLinkCheck", QStringLiteral("AutoLink Text"));

  auto* frame = new QGroupBox(QStringLiteral("Process Access Level"), page);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* frame_layout = new QVBoxLayout(frame);
  const QString captions[3] = {QStringLiteral("Public Only"), QStringLiteral("Public, Protected"),
                               QStringLiteral("All Access Levels")};
  for (int i = 0; i < 3; ++i) {
    access_level_btn_[i] = new QRadioButton(captions[i], frame);
    access_level_btn_[i]->setObjectName(QStringLiteral("ProcAccLevelBtn%1").arg(i));
    frame_layout->addWidget(access_level_btn_[i]);
  }

  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("Input Folders"), page));
  left->addWidget(folders_view);
  left->addLayout(ButtonRow({add_input_folder_cmd_, remove_input_folder_cmd_}));
  left->addWidget(search_recur_check_);
  left->addWidget(new QLabel(QStringLiteral("Comment String"), page));
  left->addWidget(comment_txt_);
  left->addWidget(auto_link_check_);
  left->addWidget(frame);

  // File types.
  file_type_txt_ = NewTextBox(page, "FileTypeTxt");
  auto* types_view = NewListView(page, "FileTypesList");
  file_types_list_ = std::make_shared<ReportList>(types_view);
  add_type_cmd_ = NewButton(page, "AddTypeCmd", QStringLiteral("Add"));
  remove_type_cmd_ = NewButton(page, "RemoveTypeCmd", QStringLiteral("Remove"));

  auto* middle = new QVBoxLayout;
  middle->addWidget(new QLabel(QStringLiteral("File Type"), page));
  middle->addWidget(file_type_txt_);
  middle->addWidget(types_view);
  middle->addLayout(ButtonRow({add_type_cmd_, remove_type_cmd_}));

  // Key words.
  key_word_txt_ = NewTextBox(page, "KeyWordTxt");
  key_index_txt_ = NewTextBox(page, "KeyIndexTxt");
  replace_txt_ = NewTextBox(page, "ReplaceTxt");
  auto* keys_view = NewListView(page, "KeyWordsList");
  key_words_list_ = std::make_shared<ReportList>(keys_view);
  add_key_cmd_ = NewButton(page, "AddKeyCmd", QStringLiteral("Add"));
  remove_key_cmd_ = NewButton(page, "RemoveKeyCmd", QStringLiteral("Remove"));
  update_key_cmd_ = NewButton(page, "UpdateKeyCmd", QStringLiteral("Update"));

  auto* key_fields = new QGridLayout;
  key_fields->addWidget(new QLabel(QStringLiteral("Key Word"), page), 0, 0);
  key_fields->addWidget(key_word_txt_, 0, 1);
  key_fields->addWidget(new QLabel(QStringLiteral("Index File"), page), 1, 0);
  key_fields->addWidget(key_index_txt_, 1, 1);
  key_fields->addWidget(new QLabel(QStringLiteral("Replace Text"), page), 2, 0);
  key_fields->addWidget(replace_txt_, 2, 1);

  auto* right = new QVBoxLayout;
  right->addLayout(key_fields);
  right->addWidget(new QLabel(QStringLiteral("Key Words"), page));
  right->addWidget(keys_view);
  right->addLayout(ButtonRow({add_key_cmd_, remove_key_cmd_, update_key_cmd_}));

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 3);
  layout->addLayout(middle, 2);
  layout->addLayout(right, 4);
  return page;
}

QWidget* TavelleFrm::CreateOutputPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  int row = 0;
  auto add_row = [&](const QString& label, QLineEdit* box, QPushButton* browse = nullptr) {
    grid->addWidget(new QLabel(label, page), row, 0);
    grid->addWidget(box, row, 1);
    if (browse != nullptr) grid->addWidget(browse, row, 2);
    ++row;
  };
  auto ellipsis = [&](const char* name) { return NewButton(page, name, QStringLiteral("...")); };

  output_dir_txt_ = NewTextBox(page, "OutputDirTxt");
  output_ellipse_cmd_ = ellipsis("OutputEllipseCmd");
  functions_file_txt_ = NewTextBox(page, "FunctionsFileTxt", ControlText("FunctionsHTMLFile"));
  classes_file_txt_ = NewTextBox(page, "ClassesFileTxt", ControlText("ClassesHTMLFile"));
  compiled_file_txt_ = NewTextBox(page, "CompiledFileTxt", ControlText("CompiledFile"));
  content_file_txt_ = NewTextBox(page, "ContentFileTxt", ControlText("ContentFile"));
  index_file_txt_ = NewTextBox(page, "IndexFileTxt", ControlText("IndexFile"));
  proj_file_txt_ = NewTextBox(page, "ProjFileTxt", ControlText("ProjFile"));
  default_html_txt_ = NewTextBox(page, "DefaultHTMLTxt");
  def_html_ellipse_cmd_ = ellipsis("DefHTMLEllipseCmd");
  temp_project_txt_ = NewTextBox(page, "txtTempProject");
  temp_project_cmd_ = ellipsis("cmdTempProject");
  temp_content_txt_ = NewTextBox(page, "txtTempContent");
  temp_content_cmd_ = ellipsis("cmdTempContent");
  temp_index_txt_ = NewTextBox(page, "txtTempIndex");
  temp_index_cmd_ = ellipsis("cmdTempIndex");

  add_row(QStringLiteral("Output Directory"), output_dir_txt_, output_ellipse_cmd_);
  add_row(QStringLiteral("Functions File Name"), functions_file_txt_);
  add_row(QStringLiteral("Classes File Name"), classes_file_txt_);
  add_row(QStringLiteral("Compiled File"), compiled_file_txt_);
  add_row(QStringLiteral("Contents File"), content_file_txt_);
  add_row(QStringLiteral("Index File"), index_file_txt_);
  add_row(QStringLiteral("Project File"), proj_file_txt_);
  add_row(QStringLiteral("Default HTML Template"), default_html_txt_, def_html_ellipse_cmd_);
  add_row(QStringLiteral("HTML Help Project Template"), temp_project_txt_, temp_project_cmd_);
  add_row(QStringLiteral("HTML Help Content Template"), temp_content_txt_, temp_content_cmd_);
  add_row(QStringLiteral("HTML Help Index Template"), temp_index_txt_, temp_index_cmd_);
  grid->setRowStretch(row, 1);
  return page;
}

QWidget* TavelleFrm::CreateWarningsPage() {
  auto* page = new QWidget;
  auto* view = NewListView(page, "WarningsList");
  warnings_list_ = std::make_shared<ReportList>(view);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("Warnings of the last run (double-click one to "
                                              "see its line)"),
                               page));
  layout->addWidget(view);
  return page;
}

void TavelleFrm::CreateMenus() {
  QMenu* file_menu = menuBar()->addMenu(QStringLiteral("File"));
  file_menu->setObjectName(QStringLiteral("mFile"));
  open_action_ = file_menu->addAction(QStringLiteral("Open"));
  open_action_->setObjectName(QStringLiteral("mOpen"));
  save_action_ = file_menu->addAction(QStringLiteral("Save"));
  save_action_->setObjectName(QStringLiteral("mSave"));
  generate_fully_action_ = file_menu->addAction(QStringLiteral("Generate All Files Again"));
  generate_fully_action_->setObjectName(QStringLiteral("mGenerateFully"));
  quit_action_ = file_menu->addAction(QStringLiteral("Quit"));
  quit_action_->setObjectName(QStringLiteral("mQuit"));

  QMenu* help_menu = menuBar()->addMenu(QStringLiteral("Help"));
  help_menu->setObjectName(QStringLiteral("mHelp"));
  help_docs_action_ = help_menu->addAction(QStringLiteral("Help Docs"));
  help_docs_action_->setObjectName(QStringLiteral("mHelpDocs"));
  about_action_ = help_menu->addAction(QStringLiteral("About"));
  about_action_->setObjectName(QStringLiteral("mAbout"));
}

void TavelleFrm::CreateListColumns() {
  file_types_list_->SetColumns({QStringLiteral("File Types")}, {1800});
  input_folders_list_->SetColumns({QStringLiteral("Input Folders")}, {4500});
  key_words_list_->SetColumns(
      {QStringLiteral("Key Words"), QStringLiteral("File"), QStringLiteral("Replace Text")},
      {1700, 1500, 2500});
  // The message column takes the rest of the list's width.
  output_list_->SetColumns({QStringLiteral("Date"), QStringLiteral("Message")}, {1700});
  output_list_->FitColumnToContents(0);
  warnings_list_->SetColumns({QStringLiteral("File"), QStringLiteral("Line"),
                              QStringLiteral("Kind"), QStringLiteral("Message")},
                             {3000, 700, 1800});
}

void TavelleFrm::ConnectCommands() {
  connect(process_cmd_, &QPushButton::clicked, this, &TavelleFrm::GenerateHtml);
  connect(cancel_cmd_, &QPushButton::clicked, this, &TavelleFrm::CancelRun);
  connect(open_config_cmd_, &QPushButton::clicked, this, &TavelleFrm::OpenConfigFile);
  connect(open_action_, &QAction::triggered, this, &TavelleFrm::OpenConfigFile);
  connect(save_config_cmd_, &QPushButton::clicked, this, &TavelleFrm::SaveConfigFile);
  connect(save_action_, &QAction::triggered, this, &TavelleFrm::SaveConfigFile);
  connect(generate_fully_action_, &QAction::triggered, this, &TavelleFrm::GenerateHtmlFully);
  connect(open_output_cmd_, &QPushButton::clicked, this, &TavelleFrm::OpenOutput);
  connect(exit_cmd_, &QPushButton::clicked, this, &TavelleFrm::close);
  rerun_watcher_ = new RerunWatcher([this] { if (!running_) GenerateHtml(); }, this);
  connect(rerun_check_, &QCheckBox::toggled, this, &TavelleFrm::WatchForRerun);
  connect(quit_action_, &QAction::triggered, this, &TavelleFrm::close);
  connect(help_docs_action_, &QAction::triggered, this, &TavelleFrm::ShowHelpDocs);
  connect(about_action_, &QAction::triggered, this, &TavelleFrm::ShowAbout);

  connect(add_input_folder_cmd_, &QPushButton::clicked, this, &TavelleFrm::AddInputFolder);
  connect(remove_input_folder_cmd_, &QPushButton::clicked, this, &TavelleFrm::RemoveInputFolder);
  connect(add_type_cmd_, &QPushButton::clicked, this, &TavelleFrm::AddFileType);
  connect(remove_type_cmd_, &QPushButton::clicked, this, &TavelleFrm::RemoveFileType);
  // A row counts as clicked when it becomes the current row (by mouse or
  // keyboard) and when the current row is clicked again.
  connect(file_types_list_->view(), &QTreeWidget::currentItemChanged, this,
          &TavelleFrm::FileTypeClicked);
  connect(file_types_list_->view(), &QTreeWidget::itemClicked, this,
          &TavelleFrm::FileTypeClicked);
  connect(add_key_cmd_, &QPushButton::clicked, this, &TavelleFrm::AddKey);
  connect(remove_key_cmd_, &QPushButton::clicked, this, &TavelleFrm::RemoveKey);
  connect(update_key_cmd_, &QPushButton::clicked, this, &TavelleFrm::UpdateKey);
  connect(replace_txt_, &QLineEdit::textChanged, this, &TavelleFrm::ReplaceTextEdited);
  connect(key_words_list_->view(), &QTreeWidget::currentItemChanged, this,
          &TavelleFrm::KeyWordClicked);
  connect(key_words_list_->view(), &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { KeyWordClicked(item, item); });
  for (int i = 0; i < 3; ++i)
    connect(access_level_btn_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked) AccessLevelClicked(i);
    });

  connect(warnings_list_->view(), &QTreeWidget::itemDoubleClicked, this,
          &TavelleFrm::ShowWarningPlace);

  connect(output_ellipse_cmd_, &QPushButton::clicked, this, &TavelleFrm::BrowseOutputDirectory);
  const std::pair<QPushButton*, QLineEdit*> templates[] = {
      {def_html_ellipse_cmd_, default_html_txt_},
      {temp_project_cmd_, temp_project_txt_},
      {temp_content_cmd_, temp_content_txt_},
      {temp_index_cmd_, temp_index_txt_}};
  for (auto [button, box] : templates)
    connect(button, &QPushButton::clicked, this, [this, box] { BrowseTemplate(box); });
}

}  // namespace frontend
