#include "shape.h"

namespace shapes {

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: Name
//\\
//Type: Pure virtual method
//\\
//Group: Identity
//\\
//Definition: virtual std::string Name() const = 0;
//\\
//Return Values: the kind of figure, such as "circle", for messages
//\\
//Description: Names the kind of figure in messages and logs.
//\\
//DOC_DEFINE_CLASS_MEMBER_END

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: MoveTo
//\\
//Group: Placement
//\\
//Definition: void MoveTo(Point origin);
//\\
//Parameters: origin - the new origin
//\\
//Description: Places the shape with its origin at the given point.
//\\
//See Also: Shape::MoveBy, Shape::Origin
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Shape::MoveTo(Point origin) { origin_ = origin; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Shape
//\\
//Name: MoveBy
//\\
//Group: Placement
//\\
//Definition: void MoveBy(double dx, double dy);
//\\
//Parameters: dx - how far to move right (negative: left)
//dy - how far to move down (negative: up)
//\\
//Description: Moves the shape by an offset.
//\\
//See Also: Shape::MoveTo
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Shape::MoveBy(double dx, double dy) {
  origin_.x += dx;
  origin_.y += dy;
}

void Shape::BoundingBox(Point& topLeft, Point& bottomRight) const {
  Point extent = Extent();
  topLeft = origin_;
  bottomRight = Point{origin_.x + extent.x, origin_.y + extent.y};
}

}  // namespace shapes
