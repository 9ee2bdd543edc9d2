// ProcessFiles: one whole documentation run of `project`, synchronously on
// the caller's thread, reporting to `run`: reset, find and read the source
// files, five parsing passes, search words, then every output. A cancel
// request ends it at the next check. The result is always false; callers
// read Cancel afterwards.
//
// With kUse, a file that the previous run into the same folder made from
// the same inputs is left as it is instead of being made again
// (engine/core/output_cache.h); kIgnore makes everything again.
#ifndef TAVELLE_ENGINE_PIPELINE_PIPELINE_H_
#define TAVELLE_ENGINE_PIPELINE_PIPELINE_H_

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

enum class OutputCaches { kUse, kIgnore };

bool ProcessFiles(Project& project, Run& run, OutputCaches caches = OutputCaches::kUse);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_PIPELINE_PIPELINE_H_
