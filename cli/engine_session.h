// What tavelle-cli does with its engine object, which it reaches only by
// member name: the desktop window's defaults, loading a configuration,
// the command-line options, printing the settings and the run itself.
#ifndef TAVELLE_CLI_ENGINE_SESSION_H_
#define TAVELLE_CLI_ENGINE_SESSION_H_

#include <cstdint>
#include <filesystem>
#include <string>

#include "automation/object.h"
#include "cli/options.h"

namespace cli {

// What a freshly opened desktop window hands the engine on "Generate HTML":
// the engine defaults of the window's load, then its controls' default texts.
void ApplyDesktopDefaults(automation::Object& engine);

// Loads `config` (already absolute) and makes its folder the working
// folder. False, after reporting it, when the file is missing or unreadable.
bool LoadConfiguration(automation::Object& engine, const std::filesystem::path& config);

// Applies -o, -i, -t, --set, -W and --no-warn; paths are taken relative to
// `start`, the folder the program was started in. False, after reporting
// it, when a --set names no property or carries a value the property
// cannot take, or a --no-warn names no kind of warning.
bool ApplyOptions(automation::Object& engine, const CommandLine& line,
                  const std::filesystem::path& start);

// Prints every property as NAME=VALUE, in declaration order.
void PrintSettings(automation::Object& engine);

// Writes the configuration file; false, after reporting it, when no file
// was written.
bool SaveConfiguration(automation::Object& engine, const std::filesystem::path& file);

// Prints the last run's warnings to standard error, one a line as
// "path:line: warning: message [kind]" with the path relative to `start`,
// then their count; returns the count.
int32_t PrintWarnings(automation::Object& engine, const std::filesystem::path& start);

// Runs ProcessFiles with progress rows on standard output (none when
// `quiet`) and Ctrl-C as the cancel button; the program's exit status.
// With `full` every output is made again (ProcessFilesFully); otherwise
// files the previous run made from the same inputs stay as they are.
// `removedFiles`, when given, receives the number of stale files removed.
int RunDocumentation(automation::Object& engine, bool quiet, bool progress, bool full,
                     int* removedFiles = nullptr);

}  // namespace cli

#endif  // TAVELLE_CLI_ENGINE_SESSION_H_
