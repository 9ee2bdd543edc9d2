// RerunWatcher: the desktop program's "Re-run on save". It watches folders
// (with everything below them) and single files, and calls back once they
// have been quiet for a moment after a change. Changes below the excluded
// folder, the run's own output, are not watched.
#ifndef TAVELLE_FRONTEND_RERUN_WATCHER_H_
#define TAVELLE_FRONTEND_RERUN_WATCHER_H_

#include <functional>

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace frontend {

class RerunWatcher : public QObject {
  Q_OBJECT

 public:
  explicit RerunWatcher(std::function<void()> changed, QObject* parent = nullptr);

  // Replaces what is watched: `folders` and the folders and files below
  // them except `excluded`, and `files`.
  void Watch(const QStringList& folders, const QStringList& files, const QString& excluded);
  void Stop();

 private:
  void Changed();

  std::function<void()> changed_;
  QFileSystemWatcher* watcher_;
  QTimer quiet_;
};

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_RERUN_WATCHER_H_
