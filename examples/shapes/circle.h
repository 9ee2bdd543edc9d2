// Circle: a round figure placed by its center.
#ifndef SHAPES_CIRCLE_H_
#define SHAPES_CIRCLE_H_

#include <numbers>

#include "shape.h"

namespace shapes {

//DOC_DEFINE_CLASS_START
//Name: Circle
//\\
//Base Classes: Shape
//\\
//Group: Figures
//\\
//Description: A circle, placed by its center and sized by its radius.
//Unlike the other figures, its origin is the center, not the top left
//corner of the bounding box.
//\\
//See Also: Shape, Coordinate system
//\\
//DOC_DEFINE_CLASS_END
class Circle : public Shape {
 public:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Circle
//\\
//Name: Circle
//\\
//Type: Constructor
//\\
//Group: Construction
//\\
//Definition: Circle(Point center, double radius);
//\\
//Parameters: center - the center, which becomes the origin
//radius - the radius in canvas units; negative values count as 0
//\\
//Description: Makes a circle.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  Circle(Point center, double radius) : Shape(center), radius_(radius < 0 ? 0 : radius) {}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Circle
//\\
//Name: Radius
//\\
//Group: Size
//\\
//Definition: double Radius() const;
//\\
//Return Values: the radius in canvas units
//\\
//Description: Reads the radius.
//\\
//See Also: Circle::SetRadius
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  double Radius() const { return radius_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Circle
//\\
//Name: SetRadius
//\\
//Group: Size
//\\
//Definition: void SetRadius(double radius);
//\\
//Parameters: radius - the new radius; negative values count as 0
//\\
//Description: Changes the size of the circle, keeping its center.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  void SetRadius(double radius) { radius_ = radius < 0 ? 0 : radius; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Circle
//\\
//Name: Area
//\\
//Group: Measurement
//\\
//Definition: double Area() const override;
//\\
//Return Values: pi times the square of the radius
//\\
//Description: Measures the surface of the circle.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  double Area() const override { return std::numbers::pi * radius_ * radius_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Circle
//\\
//Name: Perimeter
//\\
//Group: Measurement
//\\
//Definition: double Perimeter() const override;
//\\
//Return Values: two times pi times the radius
//\\
//Description: Measures the circumference of the circle.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  double Perimeter() const override { return 2 * std::numbers::pi * radius_; }

  std::string Name() const override { return "circle"; }
  void Draw(Canvas& canvas, Color outline, Color fill) const override;
  void BoundingBox(Point& topLeft, Point& bottomRight) const override {
    Point center = Origin();
    topLeft = Point{center.x - radius_, center.y - radius_};
    bottomRight = Point{center.x + radius_, center.y + radius_};
  }

 protected:
  Point Extent() const override { return Point{2 * radius_, 2 * radius_}; }

 private:
  double radius_;
};

}  // namespace shapes

#endif  // SHAPES_CIRCLE_H_
