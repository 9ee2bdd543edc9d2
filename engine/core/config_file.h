// The configuration file: SaveConfig writes a project's settings and lists
// to an INI-style file through the profile component "StoweProj.Stowe";
// OpenConfig replaces them with a file's contents. The warning settings
// have their own section, "TavelleWarnings", written only when they are not
// their defaults. OpenConfig remembers the file, the place of the settings
// warnings, and whether it held none of a configuration's sections.
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
