// Installs the build into a temporary prefix and checks that the installed
// programs run from there: the command-line program generates the
// installed example with the installed tree viewer, and "Help Docs" finds
// the installed manual.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "frontend/chelp.h"

namespace {

// Runs a program to its end; its exit status, or -1 when it did not run.
int Run(const QString& program, const QStringList& arguments, QString* output = nullptr) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForFinished(120000)) return -1;
  if (output != nullptr) *output = QString::fromLocal8Bit(process.readAll());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace

class InstallTest : public QObject {
  Q_OBJECT

 private slots:
  void installedProgramsRunFromThePrefix() {
    QTemporaryDir prefix;
    QString log;
    QCOMPARE(Run(CMAKE_COMMAND, {"--install", TAVELLE_BINARY_DIR, "--prefix", prefix.path()}, &log),
             0);

    QStringList installed = {"bin/tavelle", "bin/tavelle-cli", "lib/libtavelle_automation.so",
                             "lib/libcorvane.so", "lib/libstowe.so", "lib/libpintrel.so",
                             "share/tavelle/examples/shapes.tvg", "share/tavelle/theme/page.html",
                             "share/tavelle/theme/tree/tree.js"};
    bool manual_built = QFileInfo::exists(TAVELLE_BINARY_DIR "/share/tavelle/manual/index.html");
    if (manual_built) installed << "share/tavelle/manual/index.html";
    for (const QString& file : installed)
      QVERIFY2(QFileInfo::exists(prefix.filePath(file)), qPrintable(file + "\n" + log));

    // The installed command-line program, with only the prefix to go by.
    QString output = prefix.filePath("out");
    QVERIFY(QDir().mkpath(output));
    qputenv("TAVELLE_SEARCH_DB", prefix.filePath("words.sqlite").toUtf8());
    qunsetenv("LD_LIBRARY_PATH");
    QCOMPARE(Run(prefix.filePath("bin/tavelle-cli"),
                 {"-q", prefix.filePath("share/tavelle/examples/shapes.tvg"), "-o", output}, &log),
             0);
    QVERIFY2(QFileInfo::exists(output + "/Classes.html"), qPrintable(log));
    QVERIFY2(QFileInfo::exists(output + "/tree.html"), "the installed tree viewer is found");

    if (!manual_built) QSKIP("the manual is not built in this configuration");
    std::filesystem::path manual = frontend::ManualPath(prefix.filePath("bin").toStdString());
    QVERIFY(std::filesystem::exists(manual));
    QVERIFY(QFileInfo(QString::fromStdString(manual.string())).canonicalFilePath().startsWith(
        QFileInfo(prefix.path()).canonicalFilePath()));
  }
};

QTEST_MAIN(InstallTest)
#include "install_test.moc"
