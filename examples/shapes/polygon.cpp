#include "polygon.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace shapes {

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Polygon
//\\
//Name: AddCorner
//\\
//Group: Construction
//\\
//Definition: void AddCorner(Point corner);
//\\
//Parameters: corner - the next corner, relative to the origin
//\\
//Description: Appends a corner.
//The last corner joins the first one when the polygon is drawn or
//measured.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
void Polygon::AddCorner(Point corner) { corners_.push_back(corner); }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Polygon
//\\
//Name: CornerCount
//\\
//Group: Size
//\\
//Definition: size_t CornerCount() const;
//\\
//Return Values: the number of corners added so far
//\\
//Description: Counts the corners.
//\\
//DOC_DEFINE_CLASS_MEMBER_END

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Polygon
//\\
//Name: Area
//\\
//Group: Measurement
//\\
//Definition: double Area() const override;
//\\
//Return Values: the enclosed area; 0 for fewer than three corners
//\\
//Description: Measures the enclosed surface with the shoelace formula.
//Sides that cross each other make parts of the area cancel out.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
double Polygon::Area() const {
  double twice = 0.0;
  for (size_t i = 0; i < corners_.size(); ++i) {
    const Point& a = corners_[i];
    const Point& b = corners_[(i + 1) % corners_.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::abs(twice) / 2.0;
}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Polygon
//\\
//Name: Perimeter
//\\
//Group: Measurement
//\\
//Definition: double Perimeter() const override;
//\\
//Return Values: the length of all sides, the closing side included
//\\
//Description: Measures the outline.
//\\
//See Also: Distance
//\\
//DOC_DEFINE_CLASS_MEMBER_END
double Polygon::Perimeter() const {
  double length = 0.0;
  for (size_t i = 0; i < corners_.size(); ++i)
    length += Distance(corners_[i], corners_[(i + 1) % corners_.size()]);
  return length;
}

Point Polygon::Extent() const {
  Point extent;
  for (const Point& corner : corners_) {
    extent.x = std::max(extent.x, corner.x);
    extent.y = std::max(extent.y, corner.y);
  }
  return extent;
}

//DOC_DEFINE_FUNCTION_START
//Name: MakeRegularPolygon
//\\
//Group: Construction
//\\
//Access: Public
//\\
//Definition: std::unique_ptr&lt;Polygon&gt; MakeRegularPolygon(Point origin, int sides,
//                                                  double radius);
//\\
//Parameters: origin - the origin of the polygon
//sides - the number of sides, at least 3
//radius - the distance from the center to each corner
//\\
//Return Values: the polygon, with its first corner straight above the
//center; fewer than three sides give a polygon without corners
//\\
//Description: Makes a polygon whose sides are all equally long.
//\\
//See Also: Polygon
//\\
//DOC_DEFINE_FUNCTION_END
std::unique_ptr<Polygon> MakeRegularPolygon(Point origin, int sides, double radius) {
  auto polygon = std::make_unique<Polygon>(origin);
  if (sides < 3) return polygon;
  for (int i = 0; i < sides; ++i) {
    double angle = 2 * std::numbers::pi * i / sides - std::numbers::pi / 2;
    polygon->AddCorner(Point{radius + radius * std::cos(angle), radius + radius * std::sin(angle)});
  }
  return polygon;
}

}  // namespace shapes
