// The class hierarchy diagrams. GenerateClassDiagrams, when
// GenerateDiagrams is on, lays out and draws the diagram of every class
// (through the drawing component "Brushwell.Pintrel"), filling each
// class's DiagramHTML for its page; the drawing items (DiagramInfo) are
// let go once the picture is queued. A picture that cannot be saved is a
// write failure of the run.
#ifndef TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_
#define TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_

#include <string>
#include <string_view>

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

void GenerateClassDiagrams(Project& project, Run& run);

// Lays out the hierarchy of `doc` as drawing items, sizes its picture and
// builds the image tag and map for its page.
void GenerateBitmapInfo(ClassDoc& doc, const SortedCollection<ClassDoc>& classes);

// Draws and saves the picture of `doc` beside its page, on the run's
// output queue.
void DrawBitmap(const ClassDoc& doc, int16_t scale, Run& run);

// The picture file of the diagram on the page `pageFile`: the name up to
// and with the dot of its first ".htm" (in any letter case), then "png";
// empty when the name has no ".htm", since such a page gets no diagram.
std::string DiagramPictureName(std::string_view pageFile);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_DIAGRAM_CLASS_DIAGRAMS_H_
