// Colors: an RGB value type and its conversions to and from text.
#ifndef SHAPES_COLOR_H_
#define SHAPES_COLOR_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shapes {

//DOC_DEFINE_CLASS_START
//Name: Color
//\\
//Group: Values
//\\
//Short Descr: An RGB color with 8 bits per channel.
//\\
//Description: A Color holds the red, green and blue channels of a color,
//each from 0 to 255. Colors are plain values: copy them freely.
//\\
//See Also: ParseColor, ColorToString, Colors and drawing
//\\
//DOC_DEFINE_CLASS_END
class Color {
 public:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Color
//\\
//Name: Color
//\\
//Type: Constructor
//\\
//Group: Construction
//\\
//Definition: Color(uint8_t red, uint8_t green, uint8_t blue);
//\\
//Parameters: red - the red channel, 0 to 255
//green - the green channel, 0 to 255
//blue - the blue channel, 0 to 255
//\\
//Description: Makes a color from its three channels.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  constexpr Color(uint8_t red, uint8_t green, uint8_t blue)
      : red_(red), green_(green), blue_(blue) {}

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Color
//\\
//Name: Red
//\\
//Group: Channels
//\\
//Definition: uint8_t Red() const;
//\\
//Return Values: the red channel, 0 to 255
//\\
//Description: Reads the red channel.
//\\
//See Also: Color::Green, Color::Blue
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  constexpr uint8_t Red() const { return red_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Color
//\\
//Name: Green
//\\
//Group: Channels
//\\
//Definition: uint8_t Green() const;
//\\
//Return Values: the green channel, 0 to 255
//\\
//Description: Reads the green channel.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  constexpr uint8_t Green() const { return green_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Color
//\\
//Name: Blue
//\\
//Group: Channels
//\\
//Definition: uint8_t Blue() const;
//\\
//Return Values: the blue channel, 0 to 255
//\\
//Description: Reads the blue channel.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  constexpr uint8_t Blue() const { return blue_; }

//DOC_DEFINE_CLASS_MEMBER_START
//Class: Color
//\\
//Name: Blend
//\\
//Group: Mixing
//\\
//Definition: Color Blend(Color other, double weight) const;
//\\
//Parameters: other - the color to mix in
//weight - how much of other to take, from 0.0 (none) to 1.0 (all)
//\\
//Return Values: the mixed color; weights outside 0.0 to 1.0 are clamped
//\\
//Description: Mixes this color with another one, channel by channel.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  Color Blend(Color other, double weight) const;

 private:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Color
//\\
//Name: red_
//\\
//Access: Private
//\\
//Group: Storage
//\\
//Definition: uint8_t red_, green_, blue_;
//\\
//Description: The three channels, stored as written.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  uint8_t red_, green_, blue_;
};

std::optional<Color> ParseColor(std::string_view text);
std::string ColorToString(Color color);

}  // namespace shapes

#endif  // SHAPES_COLOR_H_
