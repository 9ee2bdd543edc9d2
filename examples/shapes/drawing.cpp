// The Draw methods of the figures. A real library would hand these calls
// to a graphics back end; this example only records what it would draw.
#include <cstdio>

#include "canvas.h"
#include "circle.h"
#include "polygon.h"
#include "rectangle.h"

namespace shapes {

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Circle
//\\
//Name: Draw
//\\
//Group: Drawing
//\\
//Definition: void Draw(Canvas& canvas, Color outline, Color fill) const override;
//\\
//Description: Draws the circle around its center.
//\\
//See Also: Drawable::Draw
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Circle::Draw(Canvas& canvas, Color outline, Color fill) const {
  std::printf("circle r=%g scale=%g outline=%s fill=%s\n", Radius(), canvas.Scale(),
              ColorToString(outline).c_str(), ColorToString(fill).c_str());
}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Rectangle
//\\
//Name: Draw
//\\
//Group: Drawing
//\\
//Definition: void Draw(Canvas& canvas, Color outline, Color fill) const override;
//\\
//Description: Draws the four sides and fills the inside.
//Square draws itself the same way.
//\\
//See Also: Drawable::Draw
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Rectangle::Draw(Canvas& canvas, Color outline, Color fill) const {
  std::printf("%s %gx%g scale=%g outline=%s fill=%s\n", Name().c_str(), Width(), Height(),
              canvas.Scale(), ColorToString(outline).c_str(), ColorToString(fill).c_str());
}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Polygon
//\\
//Name: Draw
//\\
//Group: Drawing
//\\
//Definition: void Draw(Canvas& canvas, Color outline, Color fill) const override;
//\\
//Description: Draws the sides from corner to corner and back to the start.
//A polygon with fewer than three corners draws nothing.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Polygon::Draw(Canvas& canvas, Color outline, Color fill) const {
  if (CornerCount() < 3) return;
  std::printf("polygon of %zu corners scale=%g outline=%s fill=%s\n", CornerCount(),
              canvas.Scale(), ColorToString(outline).c_str(), ColorToString(fill).c_str());
}

}  // namespace shapes
