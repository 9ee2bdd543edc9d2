#include "frontend/rerun_watcher.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace frontend {
namespace {

// How long the inputs must stay unchanged before a re-run starts.
constexpr int kQuietMilliseconds = 300;

bool Below(const QString& path, const QString& folder) {
  return !folder.isEmpty() && (path == folder || path.startsWith(folder + QLatin1Char('/')));
}

}  // namespace

RerunWatcher::RerunWatcher(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)), watcher_(new QFileSystemWatcher(this)) {
  quiet_.setSingleShot(true);
  quiet_.setInterval(kQuietMilliseconds);
  connect(&quiet_, &QTimer::timeout, this, [this] { changed_(); });
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &RerunWatcher::Changed);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &RerunWatcher::Changed);
}

void RerunWatcher::Watch(const QStringList& folders, const QStringList& files,
                         const QString& excluded) {
  Stop();
  const QString output = excluded.isEmpty() ? QString() : QFileInfo(excluded).absoluteFilePath();
  QStringList paths;
  for (const QString& folder : folders) {
    QString root = QFileInfo(folder).absoluteFilePath();
    if (!QFileInfo(root).isDir() || Below(root, output)) continue;
    paths << root;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QString path = it.next();
      if (!Below(path, output)) paths << path;
    }
  }
  for (const QString& file : files)
    if (QFileInfo::exists(file)) paths << QFileInfo(file).absoluteFilePath();
  if (!paths.isEmpty()) watcher_->addPaths(paths);
}

void RerunWatcher::Stop() {
  quiet_.stop();
  QStringList watched = watcher_->files() + watcher_->directories();
  if (!watched.isEmpty()) watcher_->removePaths(watched);
}

void RerunWatcher::Changed() { quiet_.start(); }

}  // namespace frontend
