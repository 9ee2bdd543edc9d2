#include "engine/core/config_file.h"

namespace tavelle {

void SaveConfig(Project&, const std::string&) {}

void OpenConfig(Project&, const std::string&) {}

}  // namespace tavelle
