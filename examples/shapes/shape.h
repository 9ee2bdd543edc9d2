// Shape: the base class of every figure.
#ifndef SHAPES_SHAPE_H_
#define SHAPES_SHAPE_H_

#include <string>

#include "drawable.h"

namespace shapes {

// Forbids copies of the classes derived from it. Not part of the
// documented interface.
class NonCopyable {
 protected:
  NonCopyable() = default;
  NonCopyable(const NonCopyable&) = delete;
  NonCopyable& operator=(const NonCopyable&) = delete;
};

//DOC_DEFINE_CLASS_START
//Name: Shape
//\\
//Base Classes: Drawable, NonCopyable
//\\
//Group: Figures
//\\
//Short Descr: The base class of every figure.
//\\
//Description: A Shape is a Drawable figure with an origin, an area and a
//perimeter. Derived classes say how the figure is measured and drawn;
//Shape keeps the position and a name for messages.
//<p>Shapes cannot be copied: a canvas holds each one exactly once.
//\\
//See Also: Circle, Rectangle, Polygon, Coordinate system
//\\
//DOC_DEFINE_CLASS_END
class Shape : public Drawable, private NonCopyable {
 public:
  explicit Shape(Point origin) : origin_(origin) {}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: Area
//\\
//Type: Pure virtual method
//\\
//Group: Measurement
//\\
//Definition: virtual double Area() const = 0;
//\\
//Return Values: the area in square canvas units, never negative
//\\
//Description: Measures the surface the shape covers.
//\\
//See Also: Shape::Perimeter, Area
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  virtual double Area() const = 0;

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: Perimeter
//\\
//Type: Pure virtual method
//\\
//Group: Measurement
//\\
//Definition: virtual double Perimeter() const = 0;
//\\
//Return Values: the length of the outline in canvas units
//\\
//Description: Measures the length of the outline.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  virtual double Perimeter() const = 0;

  virtual std::string Name() const = 0;

  void MoveTo(Point origin);
  void MoveBy(double dx, double dy);

  // Drawable: the bounding box is derived from Origin and the extent.
  void BoundingBox(Point& topLeft, Point& bottomRight) const override;

 protected:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: Origin
//\\
//Access: Protected
//\\
//Group: Placement
//\\
//Definition: Point Origin() const;
//\\
//Return Values: the origin of the shape
//\\
//Description: Gives the point the shape is placed by.
//See Coordinate system for where it lies on each kind of figure.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  Point Origin() const { return origin_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: Extent
//\\
//Access: Protected
//\\
//Type: Pure virtual method
//\\
//Group: Placement
//\\
//Definition: virtual Point Extent() const = 0;
//\\
//Return Values: the width (x) and height (y) of the bounding box
//\\
//Description: Tells how far the shape reaches from its origin.
//Shape uses it to compute the bounding box.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  virtual Point Extent() const = 0;

 private:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: origin_
//\\
//Access: Private
//\\
//Group: Storage
//\\
//Definition: Point origin_;
//\\
//Description: The current origin, changed only by MoveTo and MoveBy.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  Point origin_;
};

}  // namespace shapes

#endif  // SHAPES_SHAPE_H_
