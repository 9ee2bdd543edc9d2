#include "frontend/tv_global.h"

#include <exception>

#include <QApplication>

#include "frontend/dialog_service.h"
#include "frontend/tavelle_frm.h"

namespace frontend {
namespace {

void ShowStartError(DialogService& dialogs, const QString& description) {
  dialogs.ShowMessage(nullptr, QStringLiteral("Error starting Tavelle\r\n") + description);
}

}  // namespace

bool StartMainWindow(TavelleFrm& window, DialogService& dialogs, const QStringList& arguments) {
  QString error;
  if (window.Load(CommandLineOf(arguments), &error)) return true;
  ShowStartError(dialogs, error);
  return false;
}

QString CommandLineOf(const QStringList& arguments) {
  return arguments.mid(1).join(QLatin1Char(' '));
}

int Main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QtDialogService dialogs;
  try {
    TavelleFrm window(dialogs);
    if (!StartMainWindow(window, dialogs, QApplication::arguments())) return 1;
    window.show();
    return QApplication::exec();
  } catch (const std::exception& failure) {
    ShowStartError(dialogs, QString::fromLocal8Bit(failure.what()));
    return 1;
  }
}

}  // namespace frontend
