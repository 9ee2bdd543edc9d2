// Placeholder until the help outputs land; replaced by one file per output.
#include "engine/help/help_files.h"

namespace tavelle {

void GenerateHelpProjectFile(Project&) {}
void GenerateHelpContentFile(Project&) {}
void GenerateHelpIndexFile(Project&) {}
void GenerateJavaScriptTree(Project&) {}

}  // namespace tavelle
