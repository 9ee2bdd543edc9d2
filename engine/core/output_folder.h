// OutputFolder: the only way a run writes its files. It joins names to the
// output directory, keeps every file inside it, writes on the run's output
// queue and reports each failure to the run.
//
// A name that would place a file elsewhere (an absolute path, ".." that
// climbs out, or a symbolic link on the way to it) is refused with the row
// "Path outside the output directory  File: <path>". Each file is written
// whole to a temporary file and renamed over its name, so a failed write
// keeps the old file; a file that already holds the new bytes is left
// alone. Writes of different files may run at the same time; writes of one
// file keep their order. While a run has the folder open, another run that
// wants it waits.
#ifndef TAVELLE_ENGINE_CORE_OUTPUT_FOLDER_H_
#define TAVELLE_ENGINE_CORE_OUTPUT_FOLDER_H_

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/platform.h"
#include "engine/core/output_cache.h"
#include "engine/core/run_report.h"
#include "engine/core/status.h"

namespace tavelle {

class OutputQueue;
class Run;

class OutputFolder {
 public:
  // Writes the file at the full path it is given, a temporary file that
  // then takes the file's name; runs on the output queue.
  using Producer = std::function<Status(const std::string& path, RunReport& report)>;

  OutputFolder(std::string directory, OutputQueue& queue);

  const std::string& Directory() const { return directory_; }

  // Readies the folder for a run: creates it (and its missing parents)
  // with a row, waits for another run that writes there, and removes what
  // a killed run left behind.
  void Open(Run& run);

  // The full path of `name`: the directory, "/", the name (the name alone
  // when the directory is empty).
  std::string PathOf(std::string_view name) const;

  // Whether `name` stays inside the folder once joined to it.
  static bool Holds(std::string_view name);

  // The refusal of `name`, a file that would lie outside the folder.
  Status OutsideFailure(std::string_view name) const;

  // Writes `text` and CR LF as the file `name`, replacing it, then logs
  // `createdMessage` and the full path when a message is given and the
  // file was written. `key` (engine/core/content_key.h), when not 0,
  // covers everything the text was made from, so that the next run can
  // leave the file alone (Reuse).
  void Write(const std::string& name, std::string text, std::string_view createdMessage = {},
             uint64_t key = 0);

  // Whether `name` may stay as the previous run left it: that run made it
  // from `key`, and it is still the file that run left. When it may, the
  // file counts as written and `row` is logged in the run's order, as a
  // write would have logged it. From the run's thread only.
  bool Reuse(const std::string& name, uint64_t key, std::string row);

  // Writes `text` and CR LF as the file `name` at once, from any thread:
  // for work already running on the output queue.
  Status WriteNow(const std::string& name, std::string_view text);

  // Makes the file `name` with `produce`, whole or not at all, like a
  // written one; `bytes` is the memory the work holds until it has run.
  void Produce(const std::string& name, Producer produce, size_t bytes, uint64_t key = 0);

  // Every file the run wrote, or found already holding its bytes, by its
  // normalised name inside the folder, in ascending order. Complete once
  // the run's output queue is drained.
  std::vector<std::string> WrittenNames();

  // Counts `name`, a file the run leaves as it is on purpose, among the
  // written ones, so that it is not taken for a stale file.
  void Keep(const std::string& name);

  // Reads the previous run's cache (engine/core/output_cache.h); without
  // it, every file is made again.
  void LoadCache();
  // Keeps, for the next run, each file this run wrote with its key (0 when
  // it had none) and its identity as the write left it. Once the run's
  // output queue is drained.
  Status SaveCache();

  // A key over the names and identities of the files SaveCache kept, and
  // the same key over `names` as they stand now (0 when one is missing):
  // the two are equal while nobody has touched the files.
  uint64_t WrittenFilesKey() const { return written_files_key_; }
  uint64_t CurrentFilesKey(const std::vector<std::string>& names);

  // Reads and replaces the folder's own bookkeeping files (the manifest,
  // the cache): they are not outputs, are read only when small, and never
  // through a link.
  bool ReadBookkeeping(const std::string& name, std::string& text);
  Status WriteBookkeeping(const std::string& name, std::string_view text);

 private:
  void Post(const std::string& path, std::function<void(RunReport&)> work, size_t bytes);
  Status StatusOf(const std::string& name, automation::ConfinedFolder::Result result);
  void Record(std::string name, const automation::ConfinedFolder::Identity& identity);
  // Sorts `written_` by name, keeping the last write of each; with the
  // lock held.
  void SettleWritten();
  void SetKey(const std::string& name, uint64_t key);

  std::string directory_;
  OutputQueue& queue_;
  automation::ConfinedFolder files_;
  mutable std::mutex written_mutex_;
  // Every file written or reused, as each write left it: in the order the
  // writes finished until SettleWritten sorts them.
  struct WrittenFile {
    std::string name;
    automation::ConfinedFolder::Identity identity;
  };
  std::vector<WrittenFile> written_;
  bool written_settled_ = true;
  // What the previous run made its files from, and this run's keys by
  // name (0 when some write of the file had none).
  OutputCache previous_;
  std::unordered_map<std::string, uint64_t> keys_;
  uint64_t written_files_key_ = 0;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_OUTPUT_FOLDER_H_
