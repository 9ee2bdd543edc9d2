// GenerateHTMLFiles: every output of a run after parsing, in order:
// diagrams, class pages (each followed by its members' pages), function
// pages, general pages, the two list pages, then the help outputs.
#ifndef TAVELLE_ENGINE_PIPELINE_HTML_DRIVER_H_
#define TAVELLE_ENGINE_PIPELINE_HTML_DRIVER_H_

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

void GenerateHTMLFiles(Project& project, Run& run);

// The help project, contents, index and script tree, each after a cancel check.
void GenerateHelpFiles(Project& project, Run& run);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_PIPELINE_HTML_DRIVER_H_
