// ProcessFiles: one whole documentation run, synchronously on the caller's
// thread: reset, find and read the source files, five parsing passes,
// search words, then every output. A cancel request ends it at the next
// check. The result is always false; callers read Cancel afterwards.
#ifndef TAVELLE_ENGINE_CORE_PIPELINE_H_
#define TAVELLE_ENGINE_CORE_PIPELINE_H_

#include "engine/core/project.h"

namespace tavelle {

// Writes the Cancel property: the object's flag and the thread's request.
void WriteCancel(Project& project, bool value);

bool ProcessFiles(Project& project);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_PIPELINE_H_
