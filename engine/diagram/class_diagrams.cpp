// The diagram step of a run and ClassDoc::DrawBitmap, which replays a
// class's drawing items as calls on the drawing component and saves the
// picture beside the class page.
#include "engine/diagram/class_diagrams.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

#include "automation/object.h"
#include "automation/registry.h"
#include "engine/html/page_frame.h"
#include "engine/scan/text_file.h"

namespace tavelle {
namespace {

using automation::Variant;

// Calls one member of the drawing component. A missing component or a
// failing call is skipped: the picture is simply not (fully) drawn.
void CallComponent(const automation::ObjectRef& component, std::string_view member,
                   std::initializer_list<Variant> args) {
  if (!component) return;
  std::vector<Variant> arguments(args);
  Variant ignored;
  component->Invoke(member, automation::CallKind::kMethod, arguments, ignored);
}

void AddLine(const automation::ObjectRef& component, int16_t x1, int16_t y1, int16_t x2,
             int16_t y2, const DrawInfo& colour) {
  CallComponent(component, "AddLine",
                {x1, y1, x2, y2, int16_t{1}, colour.Red, colour.Green, colour.Blue});
}

// The column where the fill of a triangle starts: halfway from its second
// corner towards its tip, rounded to the nearest integer (halves to even).
int16_t FillColumn(const DrawInfo& triangle) {
  double half = std::abs(static_cast<double>(triangle.X) - triangle.X2) / 2;
  long column = std::lrint(triangle.X2 + half);
  return static_cast<int16_t>(std::clamp<long>(column, std::numeric_limits<int16_t>::min(),
                                               std::numeric_limits<int16_t>::max()));
}

void DrawItem(const automation::ObjectRef& component, const DrawInfo& item) {
  switch (item.DrawType) {
    case kDrawLine:
      AddLine(component, item.X, item.Y, item.X2, item.Y2, item);
      break;
    case kDrawRectangle:
      CallComponent(component, "AddRectangle",
                    {item.X, item.Y, item.Width, item.Height, item.Red, item.Green, item.Blue,
                     true});
      break;
    case kDrawText:
      CallComponent(component, "AddText",
                    {item.Text, item.X, item.Y, item.Width, item.Height, item.Red, item.Green,
                     item.Blue});
      break;
    case kDrawTriangle:
      AddLine(component, item.X, item.Y, item.X2, item.Y2, item);
      AddLine(component, item.X2, item.Y2, item.X3, item.Y3, item);
      AddLine(component, item.X3, item.Y3, item.X, item.Y, item);
      CallComponent(component, "FillArea",
                    {FillColumn(item), item.Y, item.Red, item.Green, item.Blue, item.Red,
                     item.Green, item.Blue});
      break;
    default:
      break;
  }
}

// A magnified picture keeps the calls of the layout: the component is told
// the scale once, and the page's image tag and map keep the layout's size.
automation::ObjectRef CreatePainter(int16_t scale) {
  automation::ObjectRef component = automation::CreateObject("Brushwell.Pintrel");
  if (component && scale > 1) component->Put("Scale", scale);
  return component;
}

}  // namespace

void ClassDoc::DrawBitmap(const std::string& outDir, const automation::ObjectRef& outputMsgBox,
                          int16_t scale) {
  if (DiagramInfo.empty() || filename.empty()) return;
  std::string picturePath = OutputFilePath(outDir, BMP_FileName);
  if (!IsInsideOutputDirectory(filename) || !IsInsideOutputDirectory(BMP_FileName + "png")) {
    LogFileFailure(outputMsgBox, "Path outside the output directory", picturePath + "png");
    return;
  }

  // Drawing, compressing and writing the picture is the slow part of a
  // diagram; it runs on the run's output queue, from a copy of the drawing
  // items, while the next class is laid out. The component is created
  // here, on the run's thread, and let go on the worker, which allocated
  // the picture.
  auto draw = [component = CreatePainter(scale), items = DiagramInfo,
               width = BMP_Width, height = BMP_Height, picturePath, outputMsgBox,
               row = "Generating Bitmap for Class: " + Name]() mutable {
    CallComponent(component, "ClearBitmap",
                  {width, height, int16_t{255}, int16_t{255}, int16_t{255}});
    for (const DrawInfo& item : items) DrawItem(component, item);
    AddOutputMsg(outputMsgBox, row);
    CallComponent(component, "SaveBitmap", {picturePath, int16_t{3}});
    component.reset();
  };
  WriteInBackground(picturePath + "png", std::move(draw), DiagramInfo.size() * sizeof(DrawInfo));
}

void GenerateClassDiagrams(Project& project) {
  if (!project.settings.GenerateDiagrams) return;
  for (const SortedCollection<ClassDoc>::Ptr& doc : project.Classes) {
    if (CheckCancel()) return;
    doc->GenerateBitmapInfo(project.Classes);
    doc->DrawBitmap(project.settings.OutputDirectory, project.settings.OutputMsgBox,
                    project.settings.DiagramScale);
  }
}

}  // namespace tavelle
