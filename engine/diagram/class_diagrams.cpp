#include "engine/diagram/class_diagrams.h"

namespace tavelle {

void GenerateClassDiagrams(Project&) {}

}  // namespace tavelle
