// TVGlobal: the desktop program's start-up.
#ifndef TAVELLE_FRONTEND_TV_GLOBAL_H_
#define TAVELLE_FRONTEND_TV_GLOBAL_H_

#include <QStringList>

namespace frontend {

class DialogService;
class TavelleFrm;

// The program's entry point: shows the main window and runs it until it
// is closed. A start-up failure is shown as "Error starting Tavelle" with
// its description, and the program ends with status 1.
int Main(int argc, char* argv[]);

// Loads `window` with the command line of `arguments` (program name
// first). On failure shows "Error starting Tavelle", a line break and the
// reason, and returns false: the window must not be shown.
bool StartMainWindow(TavelleFrm& window, DialogService& dialogs, const QStringList& arguments);

// The command line after the program name, as one text: the arguments
// joined by single blanks, so that an unquoted path with blanks still
// names one file.
QString CommandLineOf(const QStringList& arguments);

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_TV_GLOBAL_H_
