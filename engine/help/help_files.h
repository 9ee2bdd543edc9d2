// The help navigation outputs of a run: the help project file, the
// contents and index files (each made from a user template), and the
// script that builds the browser navigation tree.
#ifndef TAVELLE_ENGINE_HELP_HELP_FILES_H_
#define TAVELLE_ENGINE_HELP_HELP_FILES_H_

#include <string>
#include <string_view>

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

void GenerateHelpProjectFile(Project& project, Run& run);
void GenerateHelpContentFile(Project& project, Run& run);
void GenerateHelpIndexFile(Project& project, Run& run);
void GenerateJavaScriptTree(Project& project, Run& run);

// The text after the last "/" (or "\") of a path; the whole path when it
// has neither.
std::string FileNameOfPath(std::string_view path);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HELP_HELP_FILES_H_
