// GenerateClassDiagrams: when GenerateDiagrams is on, lays out and draws
// the hierarchy diagram of every class (through the drawing component
// "Brushwell.Pintrel"), filling each class's DiagramHTML for its page.
#ifndef TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_
#define TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_

#include <string>
#include <string_view>

#include "engine/core/project.h"

namespace tavelle {

void GenerateClassDiagrams(Project& project);

// The picture file of the diagram on the page `pageFile`: the name up to
// and with the dot of its first ".htm" (in any letter case), then "png";
// empty when the name has no ".htm", since such a page gets no diagram.
std::string DiagramPictureName(std::string_view pageFile);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_
