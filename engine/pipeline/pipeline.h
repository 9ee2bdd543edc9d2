// ProcessFiles: one whole documentation run of `project`, synchronously on
// the caller's thread, reporting to `run`: reset, find and read the source
// files, five parsing passes, search words, then every output. A cancel
// request ends it at the next check. The result is always false; callers
// read Cancel afterwards.
#ifndef TAVELLE_ENGINE_PIPELINE_PIPELINE_H_
#define TAVELLE_ENGINE_PIPELINE_PIPELINE_H_

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

bool ProcessFiles(Project& project, Run& run);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_PIPELINE_PIPELINE_H_
