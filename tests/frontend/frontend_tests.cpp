// The main window driven through its controls, with the real engine.
#include <filesystem>
#include <fstream>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "automation/platform.h"
#include "automation/registry.h"
#include "frontend/chelp.h"
#include "frontend/tavelle_frm.h"
#include "frontend/tv_global.h"
#include "scripted_dialogs.h"

using frontend::TavelleFrm;

namespace {

// A loaded window with its scripted dialogs.
struct Window {
  explicit Window(const QString& command_line = {}) : frm(dialogs) {
    QString error;
    loaded = frm.Load(command_line, &error);
  }
  template <typename T>
  T* Find(const char* name) {
    return frm.findChild<T*>(QString::fromLatin1(name));
  }
  QTreeWidget* List(const char* name) { return Find<QTreeWidget>(name); }
  QLineEdit* Text(const char* name) { return Find<QLineEdit>(name); }
  void Click(const char* name) { Find<QPushButton>(name)->click(); }
  // Shows the window at a tab page, so that rows can be clicked.
  bool ShowPage(int page) {
    Find<QTabWidget>("SSTab1")->setCurrentIndex(page);
    frm.show();
    return QTest::qWaitForWindowExposed(&frm);
  }

  ScriptedDialogs dialogs;
  TavelleFrm frm;
  bool loaded = false;
};

QStringList Column(QTreeWidget* list, int column = 0) {
  QStringList texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    texts << list->topLevelItem(row)->text(column);
  return texts;
}

// A mouse click on a row of a shown list.
void ClickRow(QTreeWidget* list, int row) {
  QRect rect = list->visualItemRect(list->topLevelItem(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QString SelectedText(QTreeWidget* list) {
  return list->currentItem() != nullptr ? list->currentItem()->text(0) : QString();
}

void WriteText(const QString& path, const std::string& text) {
  std::ofstream(path.toStdString(), std::ios::binary) << text;
}

}  // namespace

class FrontendTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(temp_.isValid());
    qputenv("TAVELLE_SEARCH_DB", temp_.filePath("words.sqlite").toUtf8());
    start_folder_ = QDir::currentPath();
  }
  // Opening a configuration moves the working directory; put it back.
  void cleanup() { QDir::setCurrent(start_folder_); }

  void startsWithTheWindowDefaults() {
    for (const QString& command_line : {QString(), QStringLiteral("   ")}) {
      Window w(command_line);
      QVERIFY(w.loaded);
      QCOMPARE(Column(w.List("FileTypesList")), QStringList({".cls", ".cpp", ".h"}));
      QCOMPARE(w.List("KeyWordsList")->topLevelItemCount(), 0);
      QCOMPARE(w.List("InputFoldersList")->topLevelItemCount(), 0);
      QVERIFY(w.Find<QRadioButton>("ProcAccLevelBtn2")->isChecked());
      QVERIFY(!w.Find<QPushButton>("cmdCancel")->isEnabled());
      QVERIFY(!w.Find<QPushButton>("UpdateKeyCmd")->isEnabled());
      QVERIFY(w.Find<QCheckBox>("SearchRecurCheck")->isChecked());
      QCOMPARE(w.Text("ClassesFileTxt")->text(), QStringLiteral("Classes.html"));
      QCOMPARE(w.Text("ProjFileTxt")->text(), QStringLiteral("Proj.hhp"));

      auto* comment = w.Find<QComboBox>("CommentTxt");
      QCOMPARE(comment->count(), 2);
      QCOMPARE(comment->itemText(0), QStringLiteral("\\\\"));
      QCOMPARE(comment->itemText(1), QStringLiteral("'"));
      QCOMPARE(comment->currentText(), QString());

      const automation::ObjectRef& engine = w.frm.engine();
      QCOMPARE(engine->Get("JavaScriptTreeFile").AsText(), std::string("JavaTree.js"));
      QVERIFY(engine->Get("GenerateJScriptTreeFile").AsBool());
      QCOMPARE(engine->Get("JavaTreeFontSize").AsInt32(), 2);
      QCOMPARE(engine->Get("ClosedClassImage").AsText(), std::string("folder.gif"));
      QCOMPARE(engine->Get("OpenSelGeneralImage").AsText(), std::string("images/http.gif"));
      QCOMPARE(engine->Get("OpenFolderImage").AsText(), std::string("images/open_folder.gif"));
      QCOMPARE(engine->Get("JavaUrlPath").AsText(), std::string("CodeDocs"));
      QCOMPARE(w.frm.windowTitle(), QStringLiteral("Tavelle"));
      QVERIFY(engine->Get("GenerateSearchIndex").AsBool());
      QVERIFY(w.dialogs.messages.isEmpty());
    }
    // Arguments are joined back into one command line.
    QCOMPARE(frontend::CommandLineOf({"tavelle", "/a/my", "project.tvg"}),
             QStringLiteral("/a/my project.tvg"));
  }

  void startFailsWithoutAnEngine() {
    automation::ClassRegistration missing_engine("Corvane.Tavelle", [] { return nullptr; });
    ScriptedDialogs dialogs;
    TavelleFrm window(dialogs);
    QVERIFY(!frontend::StartMainWindow(window, dialogs, {"tavelle"}));
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].startsWith("Error starting Tavelle\r\n"));
    QVERIFY(dialogs.messages[0].size() > 24);  // and the reason
  }

  void commandLineConfigurationReplacesTheDefaults() {
    QTemporaryDir dir;
    QString path = dir.filePath("my project.tvg");
    WriteText(path,
              "[TavellePaths]\nOutputDirectory=out\nFunctionsHTMLFile=F.html\n"
              "ClassesHTMLFile=C.html\n"
              "[TavelleConfig]\nSearchRecursive=False\nCommentString=//\nAutoLink=False\n"
              "DefaultHTML=page.html\nProjFileTemplate=p.hhp\nIndexFileTemplate=i.hhk\n"
              "ContentFileTemplate=c.hhc\n"
              "[InputFolders]\nNumInputFolders=2\nFolder1=src\nFolder2=lib\n"
              "[FileTypes]\nNumFileTypes=1\nTypeName1=.txt\n"
              "[KeyWords]\nNumKeyWords=1\nKeyName1=Widget\nKeyFile1=widget.html\n"
              "ReplaceString1=<b>Widget</b>\n"
              "[HelpProjInfo]\nCompiledFile=X.chm\nContentFile=X.hhc\nIndexFile=X.hhk\n"
              "ProjFile=X.hhp\nProcAccessLevel=Public, Protected\n");
    Window w("  " + path + "  ");
    QCOMPARE(w.frm.windowTitle(), QStringLiteral("my project.tvg - Tavelle"));

    QCOMPARE(w.Text("OutputDirTxt")->text(), QStringLiteral("out"));
    QCOMPARE(w.Text("FunctionsFileTxt")->text(), QStringLiteral("F.html"));
    QCOMPARE(w.Text("ClassesFileTxt")->text(), QStringLiteral("C.html"));
    QCOMPARE(w.Find<QComboBox>("CommentTxt")->currentText(), QStringLiteral("//"));
    QVERIFY(!w.Find<QCheckBox>("SearchRecurCheck")->isChecked());
    QVERIFY(!w.Find<QCheckBox>("AutoLinkCheck")->isChecked());
    QCOMPARE(w.Text("DefaultHTMLTxt")->text(), QStringLiteral("page.html"));
    QCOMPARE(w.Text("txtTempProject")->text(), QStringLiteral("p.hhp"));
    QCOMPARE(w.Text("txtTempIndex")->text(), QStringLiteral("i.hhk"));
    QCOMPARE(w.Text("txtTempContent")->text(), QStringLiteral("c.hhc"));
    QCOMPARE(w.Text("CompiledFileTxt")->text(), QStringLiteral("X.chm"));
    QCOMPARE(w.Text("ContentFileTxt")->text(), QStringLiteral("X.hhc"));
    QCOMPARE(w.Text("IndexFileTxt")->text(), QStringLiteral("X.hhk"));
    QCOMPARE(w.Text("ProjFileTxt")->text(), QStringLiteral("X.hhp"));
    QCOMPARE(Column(w.List("FileTypesList")), QStringList({".txt"}));
    QCOMPARE(Column(w.List("InputFoldersList")), QStringList({"lib", "src"}));
    QCOMPARE(Column(w.List("KeyWordsList"), 2), QStringList({"<b>Widget</b>"}));
    QVERIFY(w.Find<QRadioButton>("ProcAccLevelBtn1")->isChecked());
    // Settings the file does not hold keep the window's defaults.
    QVERIFY(w.frm.engine()->Get("GenerateJScriptTreeFile").AsBool());
    // Relative paths of the configuration are taken from its folder.
    QCOMPARE(QDir::currentPath(), QDir(dir.path()).canonicalPath());
  }

  void fileTypeAndFolderCommands() {
    Window w;
    QVERIFY(w.ShowPage(1));
    QTreeWidget* types = w.List("FileTypesList");
    w.Text("FileTypeTxt")->setText("cpp");
    w.Click("AddTypeCmd");
    QCOMPARE(w.dialogs.messages, QStringList({"FileType: .cpp Has already been added"}));
    QCOMPARE(Column(types), QStringList({".cls", ".cpp", ".h"}));

    w.Text("FileTypeTxt")->setText("txt");
    w.Click("AddTypeCmd");
    QCOMPARE(Column(types), QStringList({".cls", ".cpp", ".h", ".txt"}));
    QCOMPARE(SelectedText(types), QStringLiteral(".txt"));
    QCOMPARE(w.Text("FileTypeTxt")->text(), QStringLiteral("txt"));  // the window's text is kept

    ClickRow(types, 0);
    QCOMPARE(w.Text("FileTypeTxt")->text(), QStringLiteral(".cls"));
    w.Click("RemoveTypeCmd");
    QCOMPARE(Column(types), QStringList({".cpp", ".h", ".txt"}));
    w.Click("RemoveTypeCmd");  // nothing selected any more
    QCOMPARE(w.dialogs.messages.last(), QStringLiteral("FileType:  Could not be found."));
    QCOMPARE(types->topLevelItemCount(), 3);

    QTreeWidget* folders = w.List("InputFoldersList");
    w.dialogs.folder_answers = {ScriptedDialogs::kCancel, "/src/b", "/src/a"};
    w.Click("AddInputFolderCmd");  // cancelled: silent
    w.Click("AddInputFolderCmd");
    w.Click("AddInputFolderCmd");
    QCOMPARE(w.dialogs.folder_titles.first(), QStringLiteral("Select a Directory"));
    QCOMPARE(Column(folders), QStringList({"/src/a", "/src/b"}));
    QCOMPARE(SelectedText(folders), QStringLiteral("/src/a"));
    w.Click("RemoveInputFolderCmd");
    QCOMPARE(Column(folders), QStringList({"/src/b"}));
    QCOMPARE(w.dialogs.messages.size(), 2);
  }

  void keyWordEditAskedOnceAndAnswered() {
    Window w;
    QVERIFY(w.ShowPage(1));
    QTreeWidget* keys = w.List("KeyWordsList");
    auto* update = w.Find<QPushButton>("UpdateKeyCmd");
    for (const char* name : {"Beta", "Alpha"}) {
      w.Text("KeyWordTxt")->setText(name);
      w.Text("KeyIndexTxt")->setText(QString(name).toLower() + ".html");
      w.Text("ReplaceTxt")->setText(QString("old ") + name);
      w.Click("AddKeyCmd");
    }
    QCOMPARE(Column(keys), QStringList({"Alpha", "Beta"}));

    // Typing the replacement for Add left an edit pending: clicking the
    // row that Add selected asks about it.
    QVERIFY(update->isEnabled());
    ClickRow(keys, 0);
    QCOMPARE(w.dialogs.questions,
             QStringList({"Do you want to update the new replacement string?"}));
    QCOMPARE(w.Text("ReplaceTxt")->text(), QStringLiteral("old Alpha"));
    QVERIFY(!update->isEnabled());

    // Edited, then another row clicked and the question answered No.
    w.Text("ReplaceTxt")->setText("new Alpha");
    QVERIFY(update->isEnabled());
    w.dialogs.yes_no_answers = {false};
    ClickRow(keys, 1);
    QCOMPARE(w.dialogs.questions.size(), 2);
    QCOMPARE(Column(keys, 2), QStringList({"old Alpha", "old Beta"}));
    QCOMPARE(w.Text("KeyWordTxt")->text(), QStringLiteral("Beta"));
    QCOMPARE(w.Text("ReplaceTxt")->text(), QStringLiteral("old Beta"));
    QVERIFY(!update->isEnabled());

    // Edited again and answered Yes: the edited row (Beta) takes the new
    // text and the clicked row (Alpha) is loaded.
    w.Text("ReplaceTxt")->setText("new Beta");
    w.dialogs.yes_no_answers = {true};
    ClickRow(keys, 0);
    QCOMPARE(w.dialogs.questions.size(), 3);
    QCOMPARE(Column(keys, 2), QStringList({"old Alpha", "new Beta"}));
    QCOMPARE(SelectedText(keys), QStringLiteral("Alpha"));
    QCOMPARE(w.Text("ReplaceTxt")->text(), QStringLiteral("old Alpha"));

    // Update without a pending edit does nothing; with one, it updates the
    // selected row.
    w.Click("UpdateKeyCmd");
    QCOMPARE(Column(keys, 2), QStringList({"old Alpha", "new Beta"}));
    w.Text("ReplaceTxt")->setText("new Alpha");
    w.Click("UpdateKeyCmd");
    QCOMPARE(Column(keys, 2), QStringList({"new Alpha", "new Beta"}));
    QVERIFY(!update->isEnabled());
    QVERIFY(w.dialogs.messages.isEmpty());

    w.Click("RemoveKeyCmd");
    QCOMPARE(Column(keys), QStringList({"Beta"}));
  }

  void saveSendsTheControlsAndOpenLoadsThemBack() {
    QTemporaryDir dir;
    QString path = dir.filePath("saved.tvg");
    {
      Window w;
      w.Text("OutputDirTxt")->setText("docs-out");
      w.Text("ClassesFileTxt")->setText("AllClasses.html");
      w.Find<QComboBox>("CommentTxt")->setCurrentIndex(1);
      w.Find<QCheckBox>("AutoLinkCheck")->setChecked(false);
      w.Find<QRadioButton>("ProcAccLevelBtn0")->setChecked(true);
      w.Text("txtTempIndex")->setText("idx.hhk");
      w.dialogs.folder_answers = {QStringLiteral("/src")};
      w.Click("AddInputFolderCmd");
      w.dialogs.file_answers = {ScriptedDialogs::kCancel, path};
      w.Click("SaveConfigCmd");  // cancelled: nothing written
      QVERIFY(!QFile::exists(path));
      w.Click("SaveConfigCmd");
      QCOMPARE(w.dialogs.file_requests,
               QStringList({"save|TV Config (*.tvg)|", "save|TV Config (*.tvg)|"}));
      QVERIFY(QFile::exists(path));
      QCOMPARE(w.frm.windowTitle(), QStringLiteral("saved.tvg - Tavelle"));
    }
    Window w;
    w.dialogs.file_answers = {path, ScriptedDialogs::kCancel};
    w.Find<QAction>("mOpen")->trigger();
    QCOMPARE(w.Text("OutputDirTxt")->text(), QStringLiteral("docs-out"));
    QCOMPARE(w.Text("ClassesFileTxt")->text(), QStringLiteral("AllClasses.html"));
    QCOMPARE(w.Find<QComboBox>("CommentTxt")->currentText(), QStringLiteral("'"));
    QVERIFY(!w.Find<QCheckBox>("AutoLinkCheck")->isChecked());
    QVERIFY(w.Find<QRadioButton>("ProcAccLevelBtn0")->isChecked());
    QCOMPARE(w.Text("txtTempIndex")->text(), QStringLiteral("idx.hhk"));
    QCOMPARE(Column(w.List("InputFoldersList")), QStringList({"/src"}));

    // The next dialog starts at the file last opened; cancelling changes nothing.
    w.Text("OutputDirTxt")->setText("changed");
    w.Click("OpenConfigCmd");
    QCOMPARE(w.dialogs.file_requests.last(), "open|TV Config (*.tvg)|" + path);
    QCOMPARE(w.Text("OutputDirTxt")->text(), QStringLiteral("changed"));
    QVERIFY(w.dialogs.messages.isEmpty());
  }

  void cancelledRunEndsWithOperationCanceled() {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("src");
    for (const char* name : {"a.h", "b.h", "c.h"})
      WriteText(dir.filePath(QString("src/") + name),
                "//DOC_DEFINE_FUNCTION_START\n//Name: F\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n");
    Window w;
    w.dialogs.folder_answers = {dir.filePath("src")};
    w.Click("AddInputFolderCmd");
    w.Text("OutputDirTxt")->setText(dir.filePath("out"));
    QDir(dir.path()).mkpath("out");

    QTreeWidget* output = w.List("OutputList");
    auto* generate = w.Find<QPushButton>("ProcessCmd");
    auto* cancel = w.Find<QPushButton>("cmdCancel");
    QWidget* input_page = w.Find<QTabWidget>("SSTab1")->widget(1);
    bool enabled_during_run[3] = {true, false, true};
    bool cancel_on_start = true;
    connect(output->model(), &QAbstractItemModel::rowsInserted, this, [&](const QModelIndex&, int first) {
      if (!cancel_on_start || output->topLevelItem(first)->text(1) != "Starting Documentation") return;
      enabled_during_run[0] = generate->isEnabled();
      enabled_during_run[1] = cancel->isEnabled();
      enabled_during_run[2] = input_page->isEnabled();
      cancel->click();
    });

    generate->click();
    QCOMPARE(enabled_during_run[0], false);
    QCOMPARE(enabled_during_run[1], true);
    QCOMPARE(enabled_during_run[2], false);
    QStringList messages = Column(output, 1);
    QCOMPARE(messages.last(), QStringLiteral("Operation Canceled"));
    QCOMPARE(messages.count("Operation Canceled"), 1);
    QVERIFY(!messages.contains("Finished generating HTML files for this project"));
    QRegularExpression date_time("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$");
    QVERIFY(date_time.match(Column(output).last()).hasMatch());
    QVERIFY(generate->isEnabled());
    QVERIFY(!cancel->isEnabled());
    QVERIFY(input_page->isEnabled());

    // The next run starts from an empty list and is not reported cancelled.
    cancel_on_start = false;
    generate->click();
    messages = Column(output, 1);
    QCOMPARE(messages.first(), QStringLiteral("Starting Documentation"));
    QCOMPARE(messages.last(), QStringLiteral("Finished generating HTML files for this project"));
    QVERIFY(messages.contains("Found Function: F"));

    // Without a page template the pages wear the built-in look, titled
    // after the output folder; a configuration saved afterwards keeps
    // neither default.
    QFile page(dir.filePath("out/F.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(page.readAll().contains("<a class=\"brand\" href=\"tree.html\">out</a>"));
    QVERIFY(QFile::exists(dir.filePath("out/tree.html")));
    w.dialogs.file_answers = {dir.filePath("after.tvg")};
    w.Click("SaveConfigCmd");
    QFile saved(dir.filePath("after.tvg"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QByteArray config = saved.readAll();
    QVERIFY2(!config.contains("ProjectTitle") && !config.contains("theme"), config.constData());
  }

  // "Re-run on save" runs again after a source changes, and stops when
  // unchecked.
  void rerunOnSaveRunsAgainAfterAChange() {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("src");
    QDir(dir.path()).mkpath("out");
    auto source = [&](const char* name) {
      WriteText(dir.filePath("src/a.h"), std::string("//DOC_DEFINE_FUNCTION_START\n//Name: ") +
                                             name + "\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n");
    };
    source("F");
    Window w;
    w.dialogs.folder_answers = {dir.filePath("src")};
    w.Click("AddInputFolderCmd");
    w.Find<QComboBox>("CommentTxt")->setCurrentText("//");
    w.Text("OutputDirTxt")->setText(dir.filePath("out"));
    w.Click("ProcessCmd");
    QVERIFY(QFile::exists(dir.filePath("out/F.html")));

    auto* rerun = w.Find<QCheckBox>("RerunOnSaveCheck");
    QVERIFY(!rerun->isChecked());
    rerun->setChecked(true);
    source("G");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("out/G.html")), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(dir.filePath("out/F.html")), 10000);

    rerun->setChecked(false);
    source("H");
    QTest::qWait(800);
    QVERIFY(!QFile::exists(dir.filePath("out/H.html")));
  }

  void aRunShowsItsKeyWordsAndFailuresAndOpenOutputShowsItsPages() {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("src");
    QDir(dir.path()).mkpath("out");
    WriteText(dir.filePath("src/a.h"),
              "//DOC_DEFINE_FUNCTION_START\n//Name: F\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n"
              "//DOC_DEFINE_INDEX_START\n//Name: Widget\n//\\\\\n//File: F.html\n//\\\\\n"
              "//DOC_DEFINE_INDEX_END\n");
    Window w;
    w.dialogs.folder_answers = {dir.filePath("src")};
    w.Click("AddInputFolderCmd");
    w.Find<QComboBox>("CommentTxt")->setCurrentText("//");
    w.Text("OutputDirTxt")->setText(dir.filePath("out"));
    w.Text("DefaultHTMLTxt")->setText(dir.filePath("missing.html"));
    w.frm.show();
    w.Click("ProcessCmd");

    QCOMPARE(Column(w.List("KeyWordsList")), QStringList({"Widget"}));
    QTreeWidget* output = w.List("OutputList");
    int failures = 0;
    for (int row = 0; row < output->topLevelItemCount(); ++row) {
      QTreeWidgetItem* item = output->topLevelItem(row);
      bool red =
          item->foreground(1).color().red() > 150 && item->foreground(1).color().green() < 80;
      QVERIFY2(red == item->text(1).contains("  File: "), qPrintable(item->text(1)));
      QCOMPARE(item->foreground(0), item->foreground(1));
      failures += red;
    }
    QVERIFY(failures > 0);
    QVERIFY(output->columnWidth(0) >=
            output->fontMetrics().horizontalAdvance(output->topLevelItem(0)->text(0)));

    // Open output: the first page there is, the tree page (which the run
    // wrote beside its script) before all.
    w.Click("OpenOutputCmd");
    QFile::remove(dir.filePath("out/tree.html"));
    w.Click("OpenOutputCmd");
    QCOMPARE(w.dialogs.browser_pages,
             QStringList({dir.filePath("out/tree.html"), dir.filePath("out/Classes.html")}));
    w.Text("OutputDirTxt")->setText(dir.filePath("src"));
    w.dialogs.opens = false;
    w.Click("OpenOutputCmd");
    QCOMPARE(w.dialogs.browser_pages.size(), 2);
    QVERIFY(w.dialogs.messages.last().contains("holds no pages yet"));
    w.Text("OutputDirTxt")->setText(dir.filePath("out"));
    w.Click("OpenOutputCmd");
    QVERIFY(w.dialogs.messages.last().startsWith("Could not open "));
  }

  void warningsHaveTheirOwnCountedListAndShowTheirLine() {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("src");
    QDir(dir.path()).mkpath("out");
    const QString source = dir.filePath("src/a.h");
    WriteText(source, "//DOC_DEFINE_CLASS_START\n//Nmae: Shape\n//\\\\\n//DOC_DEFINE_CLASS_END\n");
    Window w;
    w.dialogs.folder_answers = {dir.filePath("src")};
    w.Click("AddInputFolderCmd");
    w.Find<QComboBox>("CommentTxt")->setCurrentText("//");
    w.Text("OutputDirTxt")->setText(dir.filePath("out"));
    w.Click("ProcessCmd");

    // The window's default types .cls and .cpp find no file.
    QCOMPARE(w.Find<QTabWidget>("SSTab1")->tabText(3), QStringLiteral("Warnings (3)"));
    QTreeWidget* list = w.List("WarningsList");
    QCOMPARE(Column(list, 2), QStringList({"unmatched-type", "unmatched-type", "unknown-field"}));
    QCOMPARE(Column(list), QStringList({"", "", source}));
    QCOMPARE(Column(list, 1), QStringList({"", "", "2"}));
    QVERIFY(!Column(w.List("OutputList"), 1).join("\n").contains("Nmae"));

    QVERIFY(w.ShowPage(3));
    QTreeWidgetItem* item = list->topLevelItem(2);
    // A double click counts on the row that the first press selected.
    QPoint center = list->visualItemRect(item).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, center);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, center);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, center);
    QCOMPARE(w.dialogs.messages, QStringList({source + ", line 2:\n//Nmae: Shape\n\n"
                                              "unknown field 'Nmae' in a class block; did you "
                                              "mean 'Name'?"}));
  }

  void closingDuringARunCancelsItFirst() {
    Window w;
    w.frm.show();
    QTreeWidget* output = w.List("OutputList");
    connect(output->model(), &QAbstractItemModel::rowsInserted, this, [&] {
      if (output->topLevelItemCount() == 1) w.Click("ExitCmd");
    });
    w.Click("ProcessCmd");
    QCOMPARE(Column(output, 1).last(), QStringLiteral("Operation Canceled"));
    QVERIFY(!w.frm.isVisible());
  }

  void listsMirrorTheEngineRowsAndHoldAtMost1000() {
    Window w;
    QTreeWidget* view = w.List("OutputList");
    frontend::ReportList& list = w.frm.output_list();
    for (int i = 1; i <= 1000; ++i) list.AddMsg(QString::number(i), "second");
    QCOMPARE(view->topLevelItemCount(), 1000);
    list.AddMsg("next");
    QCOMPARE(Column(view), QStringList({"next"}));
    QCOMPARE(view->topLevelItem(0)->text(1), QString());

    // A row written through the automation interface, as the engine does.
    automation::ObjectRef items = list.Get("ListItems").AsObject();
    automation::ObjectRef row = items->Call("Add").AsObject();
    row->Put("Text", "2024-01-02 03:04:05");
    automation::Variant sub_item[] = {int32_t{1}, "Found Class: Shape"};
    automation::Variant ignored;
    row->Invoke("SubItems", automation::CallKind::kPropertyPut, sub_item, ignored);
    list.Put("SelectedItem", row);
    row->Call("EnsureVisible");
    list.Call("Refresh");
    QCOMPARE(view->topLevelItemCount(), 2);
    QCOMPARE(view->topLevelItem(1)->text(1), QStringLiteral("Found Class: Shape"));
    QCOMPARE(view->currentItem(), view->topLevelItem(1));
  }

  void browseButtonsFillTheirTextBoxes() {
    Window w;
    w.dialogs.folder_answers = {QStringLiteral("/x/out"), ScriptedDialogs::kCancel};
    w.Click("OutputEllipseCmd");
    w.Click("OutputEllipseCmd");
    QCOMPARE(w.Text("OutputDirTxt")->text(), QStringLiteral("/x/out"));

    w.Text("txtTempIndex")->setText("old.hhk");
    w.dialogs.file_answers = {QStringLiteral("/t/new.hhk"), ScriptedDialogs::kCancel};
    w.Click("cmdTempIndex");
    w.Click("DefHTMLEllipseCmd");
    QCOMPARE(w.dialogs.file_requests, QStringList({"open||old.hhk", "open||"}));
    QCOMPARE(w.Text("txtTempIndex")->text(), QStringLiteral("/t/new.hhk"));
    QCOMPARE(w.Text("DefaultHTMLTxt")->text(), QString());
  }

  void helpDocsOpensTheManualAndAboutIsModal() {
    Window w;
    w.Find<QAction>("mHelpDocs")->trigger();
    std::filesystem::path expected =
        frontend::ManualToOpen(automation::ExecutableFolder(), w.dialogs);
    QCOMPARE(w.dialogs.help_files, QStringList({QString::fromStdString(expected.string())}));
    // When the manual does not open either, a message says so.
    w.dialogs.opens = false;
    w.Find<QAction>("mHelpDocs")->trigger();
    QCOMPARE(w.dialogs.messages, QStringList({"Could not open the help file " +
                                              QString::fromStdString(expected.string())}));

    frontend::CHelp help(w.dialogs);
    QCOMPARE(help.Show(" guide.chm ", " main ", 42), 0);
    QCOMPARE(help.last_request().target, QStringLiteral("guide.chm>main"));
    QCOMPARE(help.last_request().command, frontend::CHelp::kHelpContext);
    QCOMPARE(help.last_request().context, 42);
    help.Show("guide.chm", QString());
    QCOMPARE(help.last_request().target, QStringLiteral("guide.chm"));
    QCOMPARE(help.last_request().command, frontend::CHelp::kDisplayTopic);

    QString title;
    QTimer::singleShot(0, [&] {
      QWidget* about = QApplication::activeModalWidget();
      if (about == nullptr) return;
      title = about->windowTitle();
      about->close();
    });
    w.Find<QAction>("mAbout")->trigger();
    QCOMPARE(title, QStringLiteral("About Tavelle"));
  }

  void manualIsFoundBesideTheProgramsFolder() {
    QTemporaryDir dir;
    std::filesystem::path root = dir.path().toStdString();
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share/tavelle/manual");
    QCOMPARE(frontend::ManualPath(root / "bin"), root / "share/tavelle/manual/index.html");
    std::ofstream(root / "share/tavelle/manual/Tavelle.chm") << "chm";
    QCOMPARE(frontend::ManualPath(root / "bin"), root / "share/tavelle/manual/Tavelle.chm");

    // Without a viewer for compiled help, the HTML manual.
    ScriptedDialogs dialogs;
    QCOMPARE(frontend::ManualToOpen(root / "bin", dialogs),
             root / "share/tavelle/manual/Tavelle.chm");
    dialogs.has_viewers = false;
    QCOMPARE(frontend::ManualToOpen(root / "bin", dialogs),
             root / "share/tavelle/manual/index.html");
    QCOMPARE(dialogs.viewer_queries.size(), 2);
  }

 private:
  QTemporaryDir temp_;
  QString start_folder_;
};

QTEST_MAIN(FrontendTest)
#include "frontend_tests.moc"
