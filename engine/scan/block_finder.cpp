#include "engine/scan/block_finder.h"

namespace tavelle {

void FindClasses(Project&, std::string_view) {}
void FindClassMembers(Project&, std::string_view) {}
void FindFunctions(Project&, std::string_view) {}
void FindGeneralInfo(Project&, std::string_view) {}
void FindIndexEntries(Project&, std::string_view) {}

}  // namespace tavelle
