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
#include <vector>

#include "automation/platform.h"
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
  // file was written.
  void Write(const std::string& name, std::string text, std::string_view createdMessage = {});

  // Writes `text` and CR LF as the file `name` at once, from any thread:
  // for work already running on the output queue.
  Status WriteNow(const std::string& name, std::string_view text);

  // Makes the file `name` with `produce`, whole or not at all, like a
  // written one; `bytes` is the memory the work holds until it has run.
  void Produce(const std::string& name, Producer produce, size_t bytes);

  // Every file the run wrote, or found already holding its bytes, by its
  // normalised name inside the folder, in ascending order. Complete once
  // the run's output queue is drained.
  std::vector<std::string> WrittenNames() const;

  // Counts `name`, a file the run leaves as it is on purpose, among the
  // written ones, so that it is not taken for a stale file.
  void Keep(const std::string& name);

 private:
  void Post(const std::string& path, std::function<void(RunReport&)> work, size_t bytes);
  Status StatusOf(const std::string& name, automation::ConfinedFolder::Result result);
  void Record(std::string name);

  std::string directory_;
  OutputQueue& queue_;
  automation::ConfinedFolder files_;
  mutable std::mutex written_mutex_;
  std::vector<std::string> written_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_OUTPUT_FOLDER_H_
