// GenerateHTMLFiles: every output of a run after parsing, in order:
// diagrams, class pages (each followed by its members' pages), function
// pages, general pages, the two list pages, the search index, then the
// help outputs.
#ifndef TAVELLE_ENGINE_PIPELINE_HTML_DRIVER_H_
#define TAVELLE_ENGINE_PIPELINE_HTML_DRIVER_H_

#include "engine/core/run.h"
#include "engine/html/search_index_writer.h"
#include "engine/scan/project.h"

namespace tavelle {

// With GenerateSearchIndex the search index is written too: by `search`,
// started before the pages, or else by a writer started here.
void GenerateHTMLFiles(Project& project, Run& run, SearchIndexWriter* search = nullptr);

// The help project, contents, index and script tree, each after a cancel check.
void GenerateHelpFiles(Project& project, Run& run);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_PIPELINE_HTML_DRIVER_H_
