// tavelle-cli --init [DIR]: writes a starter project that documents itself
// on the first run. DIR (created when missing) receives
//   project.tvg      the configuration, commented, with paths relative to it
//                    (input folder src, output folder docs, comment string //)
//   src/greeter.h    a small documented example source
//   theme/...        editable copies of the files of the installed theme
//                    (<bin>/../share/tavelle/theme/), when there is one
//   docs/            the empty output folder
// Nothing is written when any of these files exists already.
#ifndef TAVELLE_CLI_STARTER_PROJECT_H_
#define TAVELLE_CLI_STARTER_PROJECT_H_

#include <filesystem>
#include <string>

#include "automation/object.h"

namespace cli {

// Writes the starter project into `folder` as typed by the user (relative
// to `start`) and prints the commands to run next. `engine` holds the
// desktop defaults; the configuration is written by its SaveConfig.
// Returns the exit status, after reporting a failure in one line.
int WriteStarterProject(automation::Object& engine, const std::string& folder,
                        const std::filesystem::path& start);

}  // namespace cli

#endif  // TAVELLE_CLI_STARTER_PROJECT_H_
