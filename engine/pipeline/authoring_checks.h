// CheckAuthoring: the warnings that need a whole run's sources and records,
// found once after the parsing passes, while the source texts are still
// held. It checks the settings (the configuration file, ProcAccessLevel,
// the input folders, file types that matched no file), comment prefixes
// that an empty CommentString leaves in the text, base classes that are not
// documented, and page or diagram picture files that two items would both
// write. It ends by ordering every warning of the run by file and line.
#ifndef TAVELLE_ENGINE_PIPELINE_AUTHORING_CHECKS_H_
#define TAVELLE_ENGINE_PIPELINE_AUTHORING_CHECKS_H_

#include "engine/scan/project.h"

namespace tavelle {

void CheckAuthoring(Project& project);

// Adds the warning of a configuration file that held none of the sections,
// when the file last opened was one.
void WarnOfConfigFile(Project& project);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_PIPELINE_AUTHORING_CHECKS_H_
