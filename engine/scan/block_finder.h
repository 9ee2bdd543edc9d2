// The five finders of definition blocks. Each scans one file's text for
// the blocks of its kind, left to right, and hands the text between the
// markers to the kind's parser. `file` is the text's index in the
// project's SourceFiles (-1 for a text from elsewhere), which records and
// warnings keep with the line of each block. A block without its end
// marker, a start marker that begins a line inside an open block of its
// kind and a field name the kind does not read are warnings.
#ifndef TAVELLE_ENGINE_SCAN_BLOCK_FINDER_H_
#define TAVELLE_ENGINE_SCAN_BLOCK_FINDER_H_

#include <cstdint>
#include <string_view>

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

void FindClasses(Project& project, Run& run, std::string_view fileText, int32_t file);
void FindClassMembers(Project& project, Run& run, std::string_view fileText, int32_t file);
void FindFunctions(Project& project, Run& run, std::string_view fileText, int32_t file);
void FindGeneralInfo(Project& project, Run& run, std::string_view fileText, int32_t file);
void FindIndexEntries(Project& project, Run& run, std::string_view fileText, int32_t file);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_BLOCK_FINDER_H_
