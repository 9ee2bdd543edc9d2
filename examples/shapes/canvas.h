// Canvas: the drawing area that owns and draws shapes.
#ifndef SHAPES_CANVAS_H_
#define SHAPES_CANVAS_H_

#include <memory>
#include <vector>

#include "color.h"
#include "shape.h"

namespace shapes {

//DOC_DEFINE_CLASS_START
//Name: Canvas
//\\
//Group: Drawing
//\\
//Description: A drawing area of a fixed size that owns and draws shapes.
//It draws them in the order they were added.
//\\
//See Also: Drawable, Getting started
//\\
//Example: GettingStarted.html
//\\
//DOC_DEFINE_CLASS_END
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {}

  void Add(std::unique_ptr<Shape> shape);
  void Clear() { shapes_.clear(); }
  void DrawAll();
  double Scale() const { return scale_; }
  void SetScale(double scale) { scale_ = scale > 0 ? scale : 1.0; }
  const std::vector<std::unique_ptr<Shape>>& Shapes() const { return shapes_; }

 private:
  bool IsVisible(const Shape& shape) const;

  int width_;
  int height_;
  double scale_ = 1.0;
  Color outline_{0, 0, 0};
  Color fill_{255, 255, 255};
  std::vector<std::unique_ptr<Shape>> shapes_;
};

double TotalArea(const Canvas& canvas);
double Area(const Shape& shape);

}  // namespace shapes

#endif  // SHAPES_CANVAS_H_
