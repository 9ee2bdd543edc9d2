// The settings a front-end hands a newly created engine object before the
// user changes anything: the file types h, .cpp and .cls, no key words,
// the script tree's file, font, colours, node pictures and URL path, and
// the search index.
// Shared by the front-ends so that the desktop window and the command line
// start from the same project.
#ifndef TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_
#define TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_

#include "automation/object.h"

namespace automation {

// Calls, by member name: ClearFileTypes, AddFileType for "h" (which the
// engine turns into ".h"), ".cpp" and ".cls", ClearKeyWords, then the
// property writes of the script-tree settings and GenerateSearchIndex.
void ApplyFrontEndDefaults(Object& engine);

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_
