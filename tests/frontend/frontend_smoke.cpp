// The example project generated through the real window: a click on
// "Generate HTML" in a shown window, with the engine writing its rows into
// the window's list while the run pumps the window's events. A picture of
// the window after the run is kept in <build>/test-output/.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "frontend/tavelle_frm.h"
#include "scripted_dialogs.h"

class SmokeTest : public QObject {
  Q_OBJECT

 private slots:
  void generatesTheExampleFromTheWindow() {
    QString example = QStringLiteral(TAVELLE_SOURCE_DIR "/examples/shapes.tvg");
    if (!QFile::exists(example)) QSKIP("the example project is missing");
    QTemporaryDir temp;
    qputenv("TAVELLE_SEARCH_DB", temp.filePath("words.sqlite").toUtf8());

    ScriptedDialogs dialogs;
    frontend::TavelleFrm window(dialogs);
    QString error;
    QVERIFY2(window.Load(example, &error), qPrintable(error));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString output = temp.filePath("out");
    QDir().mkpath(output);
    window.findChild<QLineEdit*>("OutputDirTxt")->setText(output);
    QTest::mouseClick(window.findChild<QPushButton*>("ProcessCmd"), Qt::LeftButton);

    auto* list = window.findChild<QTreeWidget*>("OutputList");
    QStringList messages;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
      messages << list->topLevelItem(row)->text(1);
    QCOMPARE(messages.last(), QStringLiteral("Finished generating HTML files for this project"));
    QVERIFY(!messages.contains("Operation Canceled"));
    QVERIFY(dialogs.messages.isEmpty());

    // Every page the run reports was written, and the list pages too.
    QRegularExpression created("^Created \\w+( \\w+)? File: (.*)$");
    int pages = 0;
    for (const QString& message : messages) {
      QRegularExpressionMatch match = created.match(message);
      if (!match.hasMatch()) continue;
      QVERIFY2(QFile::exists(match.captured(2)), qPrintable(match.captured(2)));
      ++pages;
    }
    QVERIFY(pages > 5);
    for (const char* name : {"Classes.html", "Functions.html", "JavaTree.js"})
      QVERIFY2(QFile::exists(output + "/" + name), name);
    QCOMPARE(window.windowTitle(), QStringLiteral("shapes.tvg - Tavelle"));

    // On an X server the picture is taken from the screen, as a user sees
    // it, once the window has painted the end of the run.
    window.repaint();
    QTest::qWait(200);
    QImage shot = QGuiApplication::platformName() == "xcb"
                      ? window.screen()->grabWindow(window.winId()).toImage()
                      : window.grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 4)
      for (int x = 0; x < shot.width(); x += 4) colours.insert(shot.pixel(x, y));
    QVERIFY2(colours.size() > 8, "the picture shows the window");
    QString pictures = QStringLiteral(TAVELLE_BINARY_DIR "/test-output");
    QVERIFY(QDir().mkpath(pictures));
    QVERIFY(shot.save(pictures + "/desktop-window-" + QGuiApplication::platformName() + ".png"));
  }
};

QTEST_MAIN(SmokeTest)
#include "frontend_smoke.moc"
