#include "cli/watch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "cli/engine_session.h"
#include "cli/interrupt.h"
#include "cli/options.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using automation::Variant;

// How long the inputs must stay unchanged before a re-run starts.
constexpr int kQuietMilliseconds = 300;

constexpr const char* kTemplateSettings[] = {"DefaultHTML", "ProjFileTemplate",
                                             "IndexFileTemplate", "ContentFileTemplate"};

// One inotify instance and the folders it watches.
class Watcher {
 public:
  explicit Watcher(fs::path output)
      : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), output_(std::move(output)) {}
  ~Watcher() {
    if (fd_ >= 0) close(fd_);
  }
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

  bool ok() const { return fd_ >= 0; }

  void AddFolder(const fs::path& folder, bool recursive) {
    std::error_code error;
    if (!fs::is_directory(folder, error) || Inside(folder)) return;
    constexpr uint32_t kMask = IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                               IN_MOVED_TO | IN_ONLYDIR;
    int wd = inotify_add_watch(fd_, folder.c_str(), kMask);
    if (wd >= 0) folders_[wd] = folder;
    if (!recursive) return;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      if (!it->is_directory(error)) continue;
      if (Inside(it->path())) {
        it.disable_recursion_pending();
        continue;
      }
      wd = inotify_add_watch(fd_, it->path().c_str(), kMask);
      if (wd >= 0) folders_[wd] = it->path();
    }
  }

  // Reads pending events; adds the changed paths outside the output folder.
  void Collect(std::set<fs::path>& changed) {
    alignas(inotify_event) char buffer[1 << 16];
    for (;;) {
      ssize_t length = read(fd_, buffer, sizeof buffer);
      if (length <= 0) return;
      for (char* at = buffer; at < buffer + length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        at += sizeof(inotify_event) + event->len;
        auto folder = folders_.find(event->wd);
        if (folder == folders_.end() || event->len == 0) continue;
        fs::path path = folder->second / event->name;
        if (!Inside(path)) changed.insert(path);
      }
    }
  }

  // Waits up to `milliseconds` (-1: no limit) for an event; false on
  // timeout or Ctrl-C. Short slices notice a Ctrl-C that came just before
  // the wait began.
  bool Wait(int milliseconds) {
    constexpr int kSlice = 100;
    for (int waited = 0; milliseconds < 0 || waited < milliseconds; waited += kSlice) {
      if (InterruptRequested()) return false;
      pollfd entry{fd_, POLLIN, 0};
      if (poll(&entry, 1, kSlice) > 0) return !InterruptRequested();
    }
    return false;
  }

 private:
  // Whether `path` lies in the output folder, whose writes are the run's own.
  bool Inside(const fs::path& path) const {
    if (output_.empty()) return false;
    auto [end, at] = std::mismatch(output_.begin(), output_.end(), path.begin(), path.end());
    return end == output_.end();
  }

  int fd_;
  fs::path output_;
  std::map<int, fs::path> folders_;
};

fs::path Absolute(const std::string& path) {
  std::error_code error;
  fs::path absolute = fs::weakly_canonical(fs::absolute(path, error), error);
  return absolute;
}

void WatchInputs(automation::Object& engine, Watcher& watcher, const fs::path& config) {
  int32_t count = engine.Call("GetInputFoldersCount").AsInt32();
  for (int32_t index = 1; index <= count; ++index) {
    Variant args[] = {index, std::string()};
    if (engine.Invoke("GetInputFolder", automation::CallKind::kMethod, args, args[0]))
      watcher.AddFolder(Absolute(args[1].AsText()), true);
  }
  for (const char* setting : kTemplateSettings) {
    std::string file = engine.Get(setting).AsText();
    if (!file.empty()) watcher.AddFolder(Absolute(file).parent_path(), false);
  }
  if (!config.empty()) watcher.AddFolder(config.parent_path(), false);
}

// Now, on the coarse clock the file system stamps files with.
fs::file_time_type FileClockNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  auto since = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec)));
  return std::chrono::file_clock::from_sys(since);
}

// Files under `folder` last written at or after `since`.
int FilesWrittenSince(const fs::path& folder, fs::file_time_type since) {
  int count = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error) && it->last_write_time(error) >= since) ++count;
  }
  return count;
}

}  // namespace

int WatchDocumentation(automation::Object& engine, bool quiet, bool full,
                       const fs::path& config) {
  fs::path output = Absolute(engine.Get("OutputDirectory").AsText());
  std::set<fs::path> changed;
  for (int round = 1;; ++round) {
    // Watching starts before the run, so edits made during it are not lost.
    Watcher watcher(output);
    if (!watcher.ok()) {
      ReportError("cannot watch the input folders for changes");
      return kExitBadUsage;
    }
    WatchInputs(engine, watcher, config);
    auto started = std::chrono::steady_clock::now();
    fs::file_time_type startedOnDisk = FileClockNow();
    int removed = 0;
    int status = RunDocumentation(engine, quiet, false, full && round == 1, &removed);
    if (status != kExitFinished) return status;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("Run %d: %zu file(s) changed, %d written, %d removed, %.2f s\n", round,
                changed.size(), FilesWrittenSince(output, startedOnDisk), removed, seconds);
    std::fflush(stdout);
    changed.clear();
    watcher.Collect(changed);
    while (changed.empty()) {
      if (!watcher.Wait(-1)) return kExitFinished;
      watcher.Collect(changed);
    }
    while (watcher.Wait(kQuietMilliseconds)) watcher.Collect(changed);
    if (InterruptRequested()) return kExitFinished;
  }
}

}  // namespace cli
