// Drawable: the interface of everything a Canvas can draw.
#ifndef SHAPES_DRAWABLE_H_
#define SHAPES_DRAWABLE_H_

#include "color.h"
#include "point.h"

namespace shapes {

class Canvas;

//DOC_DEFINE_CLASS_START
//Name: Drawable
//\\
//Group: Interfaces
//\\
//Description: The interface of everything that can be drawn on a Canvas.
//A Drawable knows its bounding box and draws itself with the colors it
//is given.
//\\
//See Also: Shape, Canvas::DrawAll
//\\
//DOC_DEFINE_CLASS_END
class Drawable {
 public:
  virtual ~Drawable() = default;

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Drawable
//\\
//Name: Draw
//\\
//Type: Pure virtual method
//\\
//Group: Drawing
//\\
//Definition: virtual void Draw(Canvas& canvas, Color outline, Color fill) const = 0;
//\\
//Parameters: canvas - where to draw
//outline - the color of the outline
//fill - the color of the inside
//\\
//Description: Draws the object on the canvas.
//Implementations scale their coordinates with Canvas::Scale.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  virtual void Draw(Canvas& canvas, Color outline, Color fill) const = 0;

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Drawable
//\\
//Name: BoundingBox
//\\
//Type: Pure virtual method
//\\
//Group: Drawing
//\\
//Definition: virtual void BoundingBox(Point& topLeft, Point& bottomRight) const = 0;
//\\
//Parameters: topLeft - receives the top left corner
//bottomRight - receives the bottom right corner
//\\
//Description: Gives the smallest upright rectangle around the object.
//The canvas uses it to skip objects outside its area.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  virtual void BoundingBox(Point& topLeft, Point& bottomRight) const = 0;
};

}  // namespace shapes

#endif  // SHAPES_DRAWABLE_H_
