// The five finders of definition blocks. Each scans one file's text for
// the blocks of its kind, left to right, and hands the text between the
// markers to the kind's parser.
#ifndef TAVELLE_ENGINE_SCAN_BLOCK_FINDER_H_
#define TAVELLE_ENGINE_SCAN_BLOCK_FINDER_H_

#include <string_view>

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

void FindClasses(Project& project, Run& run, std::string_view fileText);
void FindClassMembers(Project& project, Run& run, std::string_view fileText);
void FindFunctions(Project& project, Run& run, std::string_view fileText);
void FindGeneralInfo(Project& project, Run& run, std::string_view fileText);
void FindIndexEntries(Project& project, Run& run, std::string_view fileText);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_BLOCK_FINDER_H_
