// Rectangle and Square: upright four-sided figures.
#ifndef SHAPES_RECTANGLE_H_
#define SHAPES_RECTANGLE_H_

#include "shape.h"

namespace shapes {

//DOC_DEFINE_CLASS_START
//Name: Rectangle
//\\
//Base Classes: Shape
//\\
//Group: Figures
//\\
//Description: An upright rectangle, placed by its top left corner.
//\\
//See Also: Square
//\\
//DOC_DEFINE_CLASS_END
class Rectangle : public Shape {
 public:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Rectangle
//\\
//Name: Rectangle
//\\
//Type: Constructor
//\\
//Group: Construction
//\\
//Definition: Rectangle(Point topLeft, double width, double height);
//\\
//Parameters: topLeft - the top left corner, which becomes the origin
//width - the width in canvas units
//height - the height in canvas units
//\\
//Description: Makes a rectangle. Negative sizes count as 0.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  Rectangle(Point topLeft, double width, double height)
      : Shape(topLeft), width_(width < 0 ? 0 : width), height_(height < 0 ? 0 : height) {}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Rectangle
//\\
//Name: Width
//\\
//Group: Size
//\\
//Definition: double Width() const;
//\\
//Return Values: the width in canvas units
//\\
//Description: Reads the width.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  double Width() const { return width_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Rectangle
//\\
//Name: Height
//\\
//Group: Size
//\\
//Definition: double Height() const;
//\\
//Return Values: the height in canvas units
//\\
//Description: Reads the height.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  double Height() const { return height_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Rectangle
//\\
//Name: Area
//\\
//Group: Measurement
//\\
//Definition: double Area() const override;
//\\
//Return Values: width times height
//\\
//Description: Measures the surface of the rectangle.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  double Area() const override { return width_ * height_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Rectangle
//\\
//Name: Perimeter
//\\
//Group: Measurement
//\\
//Definition: double Perimeter() const override;
//\\
//Return Values: two times the sum of width and height
//\\
//Description: Measures the length of the four sides.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  double Perimeter() const override { return 2 * (width_ + height_); }

  std::string Name() const override { return "rectangle"; }
  void Draw(Canvas& canvas, Color outline, Color fill) const override;

 protected:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Rectangle
//\\
//Name: Resize
//\\
//Access: Protected
//\\
//Group: Size
//\\
//Definition: void Resize(double width, double height);
//\\
//Parameters: width - the new width
//height - the new height
//\\
//Description: Changes both sides at once.
//It is protected so that Square can keep its sides equal.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  void Resize(double width, double height) {
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
  }

  Point Extent() const override { return Point{width_, height_}; }

 private:
  double width_;
  double height_;
};

//DOC_DEFINE_CLASS_START
//Name: Square
//\\
//Base Classes: Rectangle
//\\
//Group: Figures
//\\
//Description: A rectangle whose four sides are equally long.
//\\
//See Also: Rectangle, Shape
//\\
//DOC_DEFINE_CLASS_END
class Square : public Rectangle {
 public:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Square
//\\
//Name: Square
//\\
//Type: Constructor
//\\
//Group: Construction
//\\
//Definition: Square(Point topLeft, double side);
//\\
//Parameters: topLeft - the top left corner
//side - the length of each side
//\\
//Description: Makes a square.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  Square(Point topLeft, double side) : Rectangle(topLeft, side, side) {}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Square
//\\
//Name: SetSide
//\\
//Group: Size
//\\
//Definition: void SetSide(double side);
//\\
//Parameters: side - the new length of each side
//\\
//Description: Changes the size of the square, keeping its top left corner.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  void SetSide(double side) { Resize(side, side); }

  std::string Name() const override { return "square"; }
};

}  // namespace shapes

#endif  // SHAPES_RECTANGLE_H_
