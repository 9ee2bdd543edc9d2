#include "engine/html/html_driver.h"

namespace tavelle {

void GenerateHTMLFiles(Project&) {}

void GenerateHelpFiles(Project&) {}

}  // namespace tavelle
