// OutputFolder: the only way a run writes its files. It joins names to the
// output directory, keeps every file inside it, writes on the run's output
// queue and reports each failure to the run.
//
// A name that would place a file elsewhere (an absolute path, ".." that
// climbs out) is refused with the row
// "Path outside the output directory  File: <path>". Writes of different
// files may run at the same time; writes of one file keep their order.
#ifndef TAVELLE_ENGINE_CORE_OUTPUT_FOLDER_H_
#define TAVELLE_ENGINE_CORE_OUTPUT_FOLDER_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "engine/core/run_report.h"
#include "engine/core/status.h"

namespace tavelle {

class OutputQueue;

class OutputFolder {
 public:
  // Makes the file at a full path; runs on the output queue.
  using Producer = std::function<Status(const std::string& path, RunReport& report)>;

  OutputFolder(std::string directory, OutputQueue& queue);

  const std::string& Directory() const { return directory_; }

  // The full path of `name`: the directory, "/", the name (the name alone
  // when the directory is empty).
  std::string PathOf(std::string_view name) const;

  // Whether `name` stays inside the folder once joined to it.
  static bool Holds(std::string_view name);

  // The refusal of `name`, a file that would lie outside the folder.
  Status OutsideFailure(std::string_view name) const;

  // Writes `text` and CR LF as the file `name`, replacing it, then logs
  // `createdMessage` and the full path when a message is given.
  void Write(const std::string& name, std::string text, std::string_view createdMessage = {});

  // Writes `text` and CR LF as the file `name` at once, from any thread:
  // for work already running on the output queue.
  Status WriteNow(const std::string& name, std::string_view text) const;

  // Makes the file `name` with `produce`; `bytes` is the memory the work
  // holds until it has run.
  void Produce(const std::string& name, Producer produce, size_t bytes);

 private:
  void Post(const std::string& path, std::function<void(RunReport&)> work, size_t bytes);

  std::string directory_;
  OutputQueue& queue_;
};

// Writes `text` and CR LF to `path`, replacing the file when `overwrite`
// and appending to it otherwise. A directory at the name is refused; when
// replacing, whatever stands at the name, even a link, is removed first,
// so the new file never writes through a link.
Status WriteTextFile(const std::string& path, std::string_view text, bool overwrite);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_OUTPUT_FOLDER_H_
