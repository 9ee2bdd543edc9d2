// The configuration file: SaveConfig writes a project's settings and lists
// to an INI-style file through the profile component "StoweProj.Stowe";
// OpenConfig replaces them with a file's contents.
#ifndef TAVELLE_ENGINE_CORE_CONFIG_FILE_H_
#define TAVELLE_ENGINE_CORE_CONFIG_FILE_H_

#include <string>

#include "engine/core/project_setup.h"

namespace tavelle {

// False when the file could not be replaced; the old file then stays.
bool SaveConfig(ProjectSetup& project, const std::string& configFile);
void OpenConfig(ProjectSetup& project, const std::string& configFile);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_CONFIG_FILE_H_
