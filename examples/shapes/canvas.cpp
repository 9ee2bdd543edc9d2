#include "canvas.h"

#include <cmath>

namespace shapes {

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Canvas
//\\
//Name: Add
//\\
//Group: Contents
//\\
//Definition: void Add(std::unique_ptr&lt;Shape&gt; shape);
//\\
//Parameters: shape - the shape to place on the canvas; the canvas takes it
//over
//\\
//Description: Places a shape on top of the ones already there.
//An empty pointer is ignored.
//\\
//See Also: Canvas::Clear
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Canvas::Add(std::unique_ptr<Shape> shape) {
  if (shape) shapes_.push_back(std::move(shape));
}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Canvas
//\\
//Name: Clear
//\\
//Group: Contents
//\\
//Definition: void Clear();
//\\
//Description: Removes and destroys every shape of the canvas.
//\\
//DOC_DEFINE_CLASS_MEMBER_END

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Canvas
//\\
//Name: DrawAll
//\\
//Group: Drawing
//\\
//Definition: void DrawAll();
//\\
//Description: Draws every visible shape with the canvas colors.
//Shapes are drawn in the order they were added; those whose bounding box
//lies wholly outside the canvas are skipped.
//\\
//See Also: Drawable::Draw, Drawable::BoundingBox
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Canvas::DrawAll() {
  for (const auto& shape : shapes_)
    if (IsVisible(*shape)) shape->Draw(*this, outline_, fill_);
}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Canvas
//\\
//Name: Scale
//\\
//Group: Drawing
//\\
//Definition: double Scale() const;
//\\
//Return Values: the number of pixels per canvas unit, 1.0 unless changed
//\\
//Description: Reads the scale that turns canvas units into pixels.
//\\
//See Also: Canvas::SetScale, Coordinate system
//\\
//DOC_DEFINE_CLASS_MEMBER_END

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Canvas
//\\
//Name: SetScale
//\\
//Group: Drawing
//\\
//Definition: void SetScale(double scale);
//\\
//Parameters: scale - pixels per canvas unit; values of 0 or less reset it
//to 1.0
//\\
//Description: Zooms the drawing in or out.
//\\
//DOC_DEFINE_CLASS_MEMBER_END

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Canvas
//\\
//Name: IsVisible
//\\
//Access: Private
//\\
//Group: Drawing
//\\
//Definition: bool IsVisible(const Shape& shape) const;
//\\
//Parameters: shape - a shape of this canvas
//\\
//Return Values: false when the bounding box lies wholly outside the canvas
//\\
//Description: Decides whether DrawAll draws a shape.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
bool Canvas::IsVisible(const Shape& shape) const {
  Point topLeft, bottomRight;
  shape.BoundingBox(topLeft, bottomRight);
  return bottomRight.x >= 0 && bottomRight.y >= 0 && topLeft.x * scale_ <= width_ &&
         topLeft.y * scale_ <= height_;
}

//DOC_DEFINE_FUNCTION_START
//Name: TotalArea
//\\
//Group: Measurement
//\\
//Access: Public
//\\
//Definition: double TotalArea(const Canvas& canvas);
//\\
//Parameters: canvas - the canvas whose shapes to measure
//\\
//Return Values: the sum of the areas of all shapes on the canvas
//\\
//Description: Adds up the areas of the shapes on a canvas.
//Overlapping parts are counted once per shape.
//\\
//See Also: Area, Shape::Area
//\\
//DOC_DEFINE_FUNCTION_END
double TotalArea(const Canvas& canvas) {
  double total = 0.0;
  for (const auto& shape : canvas.Shapes()) total += shape->Area();
  return total;
}

//DOC_DEFINE_FUNCTION_START
//Name: Area
//\\
//Group: Measurement
//\\
//Access: Public
//\\
//Definition: double Area(const Shape& shape);
//\\
//Parameters: shape - any shape
//\\
//Return Values: the area of the shape
//\\
//Description: Measures the area of any shape.
//This is the free-function form of Shape::Area, handy in algorithms that
//take a function.
//\\
//DOC_DEFINE_FUNCTION_END
double Area(const Shape& shape) { return shape.Area(); }

//DOC_DEFINE_FUNCTION_START
//Name: Distance
//\\
//Group: Measurement
//\\
//Access: Public
//\\
//Definition: double Distance(Point from, Point to);
//\\
//Parameters: from - the first point
//to - the second point
//\\
//Return Values: the straight-line distance between the points, in canvas
//units
//\\
//Description: Measures how far apart two points are.
//\\
//See Also: Point
//\\
//DOC_DEFINE_FUNCTION_END
double Distance(Point from, Point to) { return std::hypot(to.x - from.x, to.y - from.y); }

}  // namespace shapes
