// GenerateClassDiagrams: when GenerateDiagrams is on, lays out and draws
// the hierarchy diagram of every class (through the drawing component
// "Brushwell.Pintrel"), filling each class's DiagramHTML for its page.
#ifndef TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_
#define TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_

#include "engine/core/project.h"

namespace tavelle {

void GenerateClassDiagrams(Project& project);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_
