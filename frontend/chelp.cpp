#include "frontend/chelp.h"

#include "frontend/dialog_service.h"

namespace frontend {

int CHelp::Show(const QString& file, const QString& window_name, std::optional<int> context) {
  HelpRequest request;
  request.target = file;
  if (!window_name.isEmpty()) request.target = file.trimmed() + ">" + window_name.trimmed();
  if (context) {
    request.command = kHelpContext;
    request.context = *context;
  }
  last_request_ = request;
  // The desktop viewer knows neither viewer windows nor context numbers;
  // it is handed the file itself.
  // Like a help viewer that cannot find its file, say so and go on.
  if (!dialogs_.OpenHelpFile(file.trimmed()))
    dialogs_.ShowMessage(nullptr, "Could not open the help file " + file.trimmed());
  return 0;
}

std::filesystem::path ManualPath(const std::filesystem::path& program_folder) {
  std::filesystem::path manual = program_folder / ".." / "share" / "tavelle" / "manual";
  std::error_code error;
  if (std::filesystem::exists(manual / "Tavelle.chm", error))
    return (manual / "Tavelle.chm").lexically_normal();
  return (manual / "index.html").lexically_normal();
}

std::filesystem::path ManualToOpen(const std::filesystem::path& program_folder,
                                   DialogService& dialogs) {
  std::filesystem::path manual = ManualPath(program_folder);
  if (manual.extension() == ".chm" &&
      !dialogs.HasViewerFor(QString::fromStdString(manual.string())))
    manual.replace_filename("index.html");
  return manual;
}

}  // namespace frontend
