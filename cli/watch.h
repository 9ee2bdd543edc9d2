// --watch: runs the documentation, then waits for changes to the input
// folders, the templates and the configuration file, and runs again once
// they have been quiet for a moment. Each run ends with one summary line on
// standard output: the number of changed input files, the files written,
// the stale files removed and the wall time. Ctrl-C ends the loop.
#ifndef TAVELLE_CLI_WATCH_H_
#define TAVELLE_CLI_WATCH_H_

#include <filesystem>

#include "automation/object.h"

namespace cli {

// Runs until Ctrl-C; the program's exit status (that of a cancelled run
// when Ctrl-C came during one, "finished" otherwise). With `full`, the
// first run makes every output again.
int WatchDocumentation(automation::Object& engine, bool quiet, bool full,
                       const std::filesystem::path& config);

}  // namespace cli

#endif  // TAVELLE_CLI_WATCH_H_
