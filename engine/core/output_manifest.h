// OutputManifest: the list of files a finished run left in its output
// folder, kept there as ".tavelle-manifest" so that the next run can remove
// what it no longer makes.
//
// The file is a version line followed by one name per line, relative to
// the output folder. A missing, damaged or foreign manifest reads as empty,
// so only files this program listed itself are ever removed; files the user
// put in the folder are never listed and never touched. The manifest is
// replaced atomically (a temporary file, then a rename), so a run killed at
// any point leaves either the old list or the new one.
#ifndef TAVELLE_ENGINE_CORE_OUTPUT_MANIFEST_H_
#define TAVELLE_ENGINE_CORE_OUTPUT_MANIFEST_H_

#include <string>
#include <vector>

#include "engine/core/run.h"

namespace tavelle {

inline constexpr char kManifestName[] = ".tavelle-manifest";

// The names the manifest in `output` lists, sorted; none when there is no
// readable manifest of this version. Names that would leave the folder are
// dropped.
std::vector<std::string> ReadManifest(OutputFolder& output);

// Replaces the manifest in `output` with `names` (sorted).
Status WriteManifest(OutputFolder& output, const std::vector<std::string>& names);

// Ends a finished run: removes the files the previous manifest lists that
// this run did not write, logging "Removed File: <path>" for each, and
// writes the new manifest and the output cache. Returns how many files
// were removed.
int FinishOutput(Run& run);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_OUTPUT_MANIFEST_H_
