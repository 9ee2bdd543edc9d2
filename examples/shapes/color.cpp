#include "color.h"

#include <algorithm>
#include <cstdio>

namespace shapes {
namespace {

//DOC_DEFINE_FUNCTION_START
//Name: ClampChannel
//\\
//Group: Colors
//\\
//Definition: uint8_t ClampChannel(double value);
//\\
//Parameters: value - a channel value that may lie outside 0 to 255
//\\
//Return Values: the value rounded and clamped to 0 to 255
//\\
//Description: Rounds and clamps a channel value for Color::Blend.
//It has no Access field, so it is private and only documented when all
//access levels are shown.
//\\
//DOC_DEFINE_FUNCTION_END
uint8_t ClampChannel(double value) {
  return static_cast<uint8_t>(std::clamp(value + 0.5, 0.0, 255.0));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Color Color::Blend(Color other, double weight) const {
  weight = std::clamp(weight, 0.0, 1.0);
  auto mix = [weight](uint8_t a, uint8_t b) { return ClampChannel(a + (b - a) * weight); };
  return Color(mix(red_, other.red_), mix(green_, other.green_), mix(blue_, other.blue_));
}

//DOC_DEFINE_FUNCTION_START
//Name: ParseColor
//\\
//Group: Colors
//\\
//Access: Public
//\\
//Short Descr: Reads a color written as a hex triple or by name.
//\\
//Definition: std::optional&lt;Color&gt; ParseColor(std::string_view text);
//\\
//Parameters: text - "#RRGGBB" with hex digits in either case, or one of the
//names red, green, blue, black and white
//\\
//Return Values: the color, or no value when the text is neither form
//\\
//Description: Reads a color as users write it in configuration files.
//Names are matched in lower case only. ParseColor("#FF8000") gives
//Color(255, 128, 0).
//\\
//See Also: ColorToString, Color
//\\
//DOC_DEFINE_FUNCTION_END
std::optional<Color> ParseColor(std::string_view text) {
  if (text == "red") return Color(255, 0, 0);
  if (text == "green") return Color(0, 128, 0);
  if (text == "blue") return Color(0, 0, 255);
  if (text == "black") return Color(0, 0, 0);
  if (text == "white") return Color(255, 255, 255);
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    channels[i] = high * 16 + low;
  }
  return Color(channels[0], channels[1], channels[2]);
}

//DOC_DEFINE_FUNCTION_START
//Name: ColorToString
//\\
//Group: Colors
//\\
//Access: Public
//\\
//Definition: std::string ColorToString(Color color);
//\\
//Parameters: color - the color to write
//\\
//Return Values: the color as "#RRGGBB" with upper-case hex digits
//\\
//Description: Writes a color in the form that ParseColor reads.
//\\
//See Also: ParseColor
//\\
//DOC_DEFINE_FUNCTION_END
std::string ColorToString(Color color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", color.Red(), color.Green(), color.Blue());
  return text;
}

}  // namespace shapes
