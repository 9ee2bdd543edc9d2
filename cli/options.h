// The command line of tavelle-cli:
//   tavelle-cli [OPTIONS] [CONFIG.tvg]
// ParseCommandLine reads it into CommandLine; --help and --version are
// answered there.
#ifndef TAVELLE_CLI_OPTIONS_H_
#define TAVELLE_CLI_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

namespace cli {

struct CommandLine {
  std::string config;                 // configuration file; empty when none
  std::optional<std::string> output;  // -o: OutputDirectory
  std::vector<std::string> inputs;    // -i: input folders to add
  std::vector<std::string> file_types;  // -t: file types to add
  std::vector<std::string> settings;  // --set: NAME=VALUE
  std::string save;                   // --save: file to write instead of a run
  std::optional<std::string> init;    // --init: folder of a starter project to write
  bool print_settings = false;
  bool quiet = false;
  bool progress = false;  // --progress: the progress line even without a terminal
  bool profile = false;  // --profile: stage times on standard error
  bool warnings_as_errors = false;  // -W: WarningsAsErrors
  std::vector<std::string> no_warn;  // --no-warn: kinds to add to DisabledWarnings
  bool full = false;     // --full: make every output again
  bool watch = false;    // --watch: run again whenever the inputs change
};

// Exit statuses of the program.
constexpr int kExitFinished = 0;
constexpr int kExitCancelled = 1;
constexpr int kExitBadUsage = 2;
// The run finished but reported a read, write or database failure.
constexpr int kExitFailures = 3;
// The run finished with warnings while WarningsAsErrors is on (and
// reported no failure, which would give 3).
constexpr int kExitWarnings = 4;

// Fills `line` from the arguments. Returns the status to exit with at once
// (after --help, --version or a usage error, which is reported as one line
// on standard error), or nothing when the program should go on.
std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& line);

// Prints "tavelle-cli: <message>" as one line on standard error.
void ReportError(const std::string& message);

}  // namespace cli

#endif  // TAVELLE_CLI_OPTIONS_H_
