// Points of the plane and the distance between them.
#ifndef SHAPES_POINT_H_
#define SHAPES_POINT_H_

namespace shapes {

//DOC_DEFINE_CLASS_START
//Name: Point
//\\
//Group: Values
//\\
//Description: A position on the canvas, in canvas units.
//Points are plain values with public coordinates x and y.
//\\
//See Also: Coordinate system, Distance
//\\
//DOC_DEFINE_CLASS_END
struct Point {
  double x = 0.0;
  double y = 0.0;
};

double Distance(Point from, Point to);

}  // namespace shapes

#endif  // SHAPES_POINT_H_
