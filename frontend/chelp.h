// CHelp: opens a help file in the desktop's help viewer, and finds the
// program's own manual.
#ifndef TAVELLE_FRONTEND_CHELP_H_
#define TAVELLE_FRONTEND_CHELP_H_

#include <filesystem>
#include <optional>

#include <QString>

namespace frontend {

class DialogService;

// What the viewer was last asked for: the target ("file" or
// "file>window"), the viewer command (0 shows the target's topic, 15 opens
// the topic of a context number) and the context number.
struct HelpRequest {
  QString target;
  int command = 0;
  int context = 0;
};

class CHelp {
 public:
  static constexpr int kDisplayTopic = 0;
  static constexpr int kHelpContext = 15;

  explicit CHelp(DialogService& dialogs) : dialogs_(dialogs) {}

  // Shows `file`, in the viewer window `window_name` when one is named, at
  // the topic of `context` when one is given. Always returns 0.
  int Show(const QString& file, const QString& window_name,
           std::optional<int> context = std::nullopt);

  const HelpRequest& last_request() const { return last_request_; }

 private:
  DialogService& dialogs_;
  HelpRequest last_request_;
};

// The manual that "Help Docs" opens for a program in `program_folder`:
// Tavelle.chm in ../share/tavelle/manual/ when it exists, else the HTML
// manual's start page there. The layout is the same in the build tree and
// in an installation.
std::filesystem::path ManualPath(const std::filesystem::path& program_folder);

// The manual that "Help Docs" opens: ManualPath's, or the HTML manual's
// start page beside it when the desktop has no viewer for compiled help.
std::filesystem::path ManualToOpen(const std::filesystem::path& program_folder,
                                   DialogService& dialogs);

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_CHELP_H_
