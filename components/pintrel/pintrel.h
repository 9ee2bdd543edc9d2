// Pintrel: the bitmap-drawing component ("Brushwell.Pintrel"). It keeps one
// true-colour picture in memory, draws on it and saves it as a PNG file.
//
// Members, called by name (numbers are pixels; colours are 0 to 255):
//   ClearBitmap(width, height, r, g, b)   a new picture filled with the colour
//   AddLine(x1, y1, x2, y2, thickness, r, g, b)
//   AddRectangle(x, y, width, height, r, g, b, filled)
//                                          covers x..x+width-1, y..y+height-1
//   AddText(text, x, y, width, height, r, g, b)
//                                          one glyph per character, clipped to the box
//   FillArea(x, y, r, g, b, r2, g2, b2)   fills outwards from (x, y) with the
//                                          first colour up to the second (the border)
//   SaveBitmap(path, format)               format 3: a PNG file at path + "png"
//   Scale (property, 1 to 8, default 1)   pixels per unit of the calls above
// With a Scale above 1, written before ClearBitmap, the picture has that
// many times the pixels in each direction and every call draws as if
// magnified, with labels in an antialiased DejaVu Sans (FreeType, shading
// through the picture's palette), so that
// the picture stays sharp when shown at the size the calls describe.
// Each call draws over the earlier ones. A call fails (Invoke returns false)
// when an argument is missing or out of range, when no picture was cleared
// yet, or when the file cannot be written; a failed save leaves no file and
// gives, as its result, the reason as the system words it, and a picture
// too large to hold in memory (over 64 million pixels) gives, as the
// result of ClearBitmap, a sentence saying so.
#ifndef TAVELLE_COMPONENTS_PINTREL_PINTREL_H_
#define TAVELLE_COMPONENTS_PINTREL_PINTREL_H_

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "automation/object.h"

struct gdImageStruct;

namespace pintrel {

class Pintrel : public automation::Object {
 public:
  bool Invoke(std::string_view member, automation::CallKind kind,
              std::span<automation::Variant> args, automation::Variant& result) override;

 private:
  bool ClearBitmap(std::span<automation::Variant> args, automation::Variant& result);
  bool AddLine(std::span<automation::Variant> args);
  bool AddRectangle(std::span<automation::Variant> args);
  bool AddText(std::span<automation::Variant> args);
  bool FillArea(std::span<automation::Variant> args);
  bool SaveBitmap(std::span<automation::Variant> args, automation::Variant& result);
  bool SetScale(std::span<automation::Variant> args);
  void DrawLabel(const std::string& text, int x, int y, int width, int height, int colour);

  struct ImageDeleter {
    void operator()(gdImageStruct* image) const;
  };
  std::unique_ptr<gdImageStruct, ImageDeleter> image_;
  int scale_ = 1;
};

}  // namespace pintrel

#endif  // TAVELLE_COMPONENTS_PINTREL_PINTREL_H_
