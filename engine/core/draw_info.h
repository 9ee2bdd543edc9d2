// DrawInfo: one drawing item of a class hierarchy diagram.
#ifndef TAVELLE_ENGINE_CORE_DRAW_INFO_H_
#define TAVELLE_ENGINE_CORE_DRAW_INFO_H_

#include <cstdint>
#include <string>

namespace tavelle {

enum DrawType : int32_t { kDrawLine = 0, kDrawRectangle = 1, kDrawText = 2, kDrawTriangle = 3 };

struct DrawInfo {
  std::string Text;
  int16_t X = 0, Y = 0;    // first point: corner of a box, start of a line, tip of a triangle
  int16_t X2 = 0, Y2 = 0;  // second point
  int16_t X3 = 0, Y3 = 0;  // third corner of a triangle
  int16_t Width = 0, Height = 0;
  int16_t Red = 0, Green = 0, Blue = 0;
  int32_t DrawType = kDrawLine;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_DRAW_INFO_H_
