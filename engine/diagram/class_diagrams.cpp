// The diagram step of a run and DrawBitmap, which replays a class's
// drawing items as calls on the drawing component and saves the picture
// beside the class page.
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
#include "engine/core/content_key.h"

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

// Starts the picture; a failure holds the component's reason, such as a
// picture too large to draw.
Status ClearPicture(const automation::ObjectRef& component, int16_t width, int16_t height,
                    const std::string& path) {
  std::vector<Variant> arguments{width, height, int16_t{255}, int16_t{255}, int16_t{255}};
  Variant reason;
  if (!component ||
      component->Invoke("ClearBitmap", automation::CallKind::kMethod, arguments, reason)) {
    return Status();
  }
  std::string description = reason.AsText();
  if (description.empty()) description = "The picture could not be drawn";
  return Status::FileFailure(description, path);
}

// Saves the picture at `file` ("png" at its end) in format 3, PNG; a
// failure names `path`, the picture's place in the output folder.
Status SavePicture(const automation::ObjectRef& component, const std::string& file,
                   const std::string& path) {
  std::string_view base(file);
  base.remove_suffix(3);
  std::vector<Variant> arguments{Variant(base), Variant(int16_t{3})};
  Variant reason;
  if (component &&
      component->Invoke("SaveBitmap", automation::CallKind::kMethod, arguments, reason)) {
    return Status();
  }
  std::string description = reason.AsText();
  if (description.empty()) description = "The picture could not be drawn";
  return Status::FileFailure(description, path);
}

// A magnified picture keeps the calls of the layout: the component is told
// the scale once, and the page's image tag and map keep the layout's size.
automation::ObjectRef CreatePainter(int16_t scale) {
  automation::ObjectRef component = automation::CreateObject("Brushwell.Pintrel");
  if (component && scale > 1) component->Put("Scale", scale);
  return component;
}

// Everything a picture's bytes are made from.
uint64_t PictureKey(const ClassDoc& doc, int16_t scale) {
  ContentKey key;
  key.Add(doc.BMP_Width).Add(doc.BMP_Height).Add(scale);
  for (const DrawInfo& item : doc.DiagramInfo) {
    key.Add(item.Text).Add(item.DrawType).Add(item.X).Add(item.Y).Add(item.X2).Add(item.Y2);
    key.Add(item.X3).Add(item.Y3).Add(item.Width).Add(item.Height);
    key.Add(item.Red).Add(item.Green).Add(item.Blue);
  }
  return key.Value();
}

}  // namespace

void DrawBitmap(const ClassDoc& doc, int16_t scale, Run& run) {
  if (doc.DiagramInfo.empty() || doc.filename.empty()) return;
  OutputFolder& output = run.Output();
  std::string pictureName = doc.BMP_FileName + "png";
  // A page outside the folder has no picture beside it either.
  if (!OutputFolder::Holds(doc.filename)) {
    run.Fail(output.OutsideFailure(pictureName));
    return;
  }

  // Drawing, compressing and writing the picture is the slow part of a
  // diagram; it runs on the run's output queue, from a copy of the drawing
  // items, while the next class is laid out. The component is created
  // here, on the run's thread, and let go on the worker, which allocated
  // the picture.
  std::string row = "Generating Bitmap for Class: " + doc.Name;
  uint64_t key = PictureKey(doc, scale);
  if (output.Reuse(pictureName, key, row)) return;
  auto draw = [component = CreatePainter(scale), items = doc.DiagramInfo,
               width = doc.BMP_Width, height = doc.BMP_Height, path = output.PathOf(pictureName),
               row = std::move(row)](const std::string& file, RunReport& report) mutable {
    if (Status cleared = ClearPicture(component, width, height, path); !cleared.ok()) {
      report.Log(row);
      component.reset();
      return cleared;
    }
    for (const DrawInfo& item : items) DrawItem(component, item);
    report.Log(row);
    Status saved = SavePicture(component, file, path);
    component.reset();
    return saved;
  };
  output.Produce(pictureName, std::move(draw), doc.DiagramInfo.size() * sizeof(DrawInfo), key);
}

void GenerateClassDiagrams(Project& project, Run& run) {
  if (!project.settings.GenerateDiagrams) return;
  for (const SortedCollection<ClassDoc>::Ptr& doc : project.Classes) {
    if (run.CheckCancel()) return;
    GenerateBitmapInfo(*doc, project.Classes);
    DrawBitmap(*doc, project.settings.DiagramScale, run);
    // The drawing job has its own copy; the page needs only DiagramHTML.
    std::vector<DrawInfo>().swap(doc->DiagramInfo);
  }
}

}  // namespace tavelle
