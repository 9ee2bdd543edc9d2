// Polygon: a closed figure made of straight sides.
#ifndef SHAPES_POLYGON_H_
#define SHAPES_POLYGON_H_

#include <cstddef>
#include <memory>
#include <vector>

#include "shape.h"

namespace shapes {

//DOC_DEFINE_CLASS_START
//Name: Polygon
//\\
//Base Classes: Shape
//\\
//Group: Figures
//\\
//Description: A closed figure of straight sides through a list of corners.
//The corners are relative to the origin, so moving a polygon does not
//change them.
//\\
//See Also: MakeRegularPolygon, Shape
//\\
//DOC_DEFINE_CLASS_END
class Polygon : public Shape {
 public:
  explicit Polygon(Point origin) : Shape(origin) {}

  void AddCorner(Point corner);
  size_t CornerCount() const { return corners_.size(); }
  double Area() const override;
  double Perimeter() const override;
  std::string Name() const override { return "polygon"; }
  void Draw(Canvas& canvas, Color outline, Color fill) const override;

 protected:
  Point Extent() const override;

 private:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Polygon
//\\
//Name: corners_
//\\
//Access: Private
//\\
//Group: Storage
//\\
//Definition: std::vector&lt;Point&gt; corners_;
//\\
//Description: The corners in drawing order, relative to the origin.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  std::vector<Point> corners_;
};

std::unique_ptr<Polygon> MakeRegularPolygon(Point origin, int sides, double radius);

}  // namespace shapes

#endif  // SHAPES_POLYGON_H_
