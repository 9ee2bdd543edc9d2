#include "components/pintrel/pintrel.h"

#include <gd.h>
#include <gdfontl.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pintrel {
namespace {

using automation::Variant;

// A picture of the largest size a caller can ask for (32767 x 32767) would
// take 4 GB; larger pictures than this are refused instead.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

constexpr int kSavePng = 3;
constexpr int kPngCompression = 1;
constexpr int kMaxScale = 8;

// Magnified labels: the em size in pixels per unit of scale (the built-in
// font's glyphs are 16 pixels tall in a 20-pixel label), and the font,
// found when the component was built (TAVELLE_LABEL_FONT).
constexpr double kLabelEm = 13.0;
constexpr double kPointsPerPixel = 72.0 / 96.0;  // gd's resolution is 96 dpi

const automation::MemberNames kMembers = {"ClearBitmap", "AddLine",    "AddRectangle", "AddText",
                                          "FillArea",    "SaveBitmap", "Scale"};
enum Member { kClearBitmap, kAddLine, kAddRectangle, kAddText, kFillArea, kSaveBitmap, kScale };

// A label's ink width at `em` pixels in the outline font, or nullopt when
// the font cannot draw it. Measuring runs the font's hinting as drawing
// does, and a class's name is measured in every picture that shows it, so
// the widths are kept for the life of the process, a bounded number of
// them, shared by the threads that draw. Only the sign of the colour
// counts (a negative one measures without antialiasing).
std::optional<int> LabelInkWidth(char* font, const std::string& text, double em, int colour) {
  constexpr size_t kMaxKept = 1 << 16;
  static std::mutex mutex;
  static std::unordered_map<std::string, std::optional<int>> kept;
  std::string key = std::to_string(em);
  key += colour < 0 ? '-' : '+';
  key += text;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (auto found = kept.find(key); found != kept.end()) return found->second;
  }
  int box[8];
  std::optional<int> width;
  if (gdImageStringFT(nullptr, box, colour, font, em * kPointsPerPixel, 0, 0, 0,
                      const_cast<char*>(text.c_str())) == nullptr) {
    width = box[2] - box[0];
  }
  std::lock_guard<std::mutex> lock(mutex);
  if (kept.size() >= kMaxKept) kept.clear();
  kept.emplace(std::move(key), width);
  return width;
}

std::optional<int> Integer(std::span<Variant> args, size_t index) {
  if (index >= args.size()) return std::nullopt;
  return args[index].ToInt32();
}

// The palette entry for the red, green and blue arguments at `first`.
// Pictures are palette images: diagrams use a handful of colours, and one
// byte per pixel keeps drawing and PNG encoding cheap for thousands of
// pictures.
std::optional<int> Colour(gdImagePtr image, std::span<Variant> args, size_t first) {
  int parts[3];
  for (size_t i = 0; i < 3; ++i) {
    std::optional<int> part = Integer(args, first + i);
    if (!part || *part < 0 || *part > 255) return std::nullopt;
    parts[i] = *part;
  }
  return gdImageColorResolve(image, parts[0], parts[1], parts[2]);
}

// Sets pixels x1..x2 of row y of a palette picture at once: gd's
// per-pixel calls check bounds each time, which costs much over thousands
// of diagrams. The callers stay inside the picture and its clipping
// rectangle.
void FillRow(gdImagePtr image, int y, int x1, int x2, int colour) {
  std::memset(image->pixels[y] + x1, colour, static_cast<size_t>(x2 - x1 + 1));
}

// Scanline flood fill with its own stack: every pixel connected to (x, y)
// that is neither the border colour nor already the fill colour takes the
// fill colour. Each pixel is painted once, so the work is bounded by the
// picture's size, and deep regions cannot exhaust the call stack.
void FillToBorder(gdImagePtr image, int x, int y, int fill, int border) {
  int width = gdImageSX(image), height = gdImageSY(image);
  auto fillable = [&](int px, int py) {
    int pixel = gdImageGetPixel(image, px, py);
    return pixel != border && pixel != fill;
  };
  if (x < 0 || y < 0 || x >= width || y >= height) return;

  std::vector<std::pair<int, int>> seeds = {{x, y}};
  while (!seeds.empty()) {
    auto [sx, sy] = seeds.back();
    seeds.pop_back();
    if (!fillable(sx, sy)) continue;
    int left = sx, right = sx;
    while (left > 0 && fillable(left - 1, sy)) --left;
    while (right < width - 1 && fillable(right + 1, sy)) ++right;
    FillRow(image, sy, left, right, fill);
    // One seed per run of fillable pixels on the rows above and below.
    for (int row : {sy - 1, sy + 1}) {
      if (row < 0 || row >= height) continue;
      bool inRun = false;
      for (int px = left; px <= right; ++px) {
        bool open = fillable(px, row);
        if (open && !inRun) seeds.emplace_back(px, row);
        inRun = open;
      }
    }
  }
}

// gdImageFilledRectangle sets a palette picture's pixels one call at a
// time; setting each row's bytes at once gives the same picture for a
// fraction of the cost, which counts over thousands of diagrams. Like gd,
// it leaves the pixels outside the clipping rectangle alone.
void FillRectangle(gdImagePtr image, int x1, int y1, int x2, int y2, int colour) {
  if (gdImageTrueColor(image) || colour < 0) {
    gdImageFilledRectangle(image, x1, y1, x2, y2, colour);
    return;
  }
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(x1, image->cx1);
  x2 = std::min(x2, image->cx2);
  y1 = std::max(y1, image->cy1);
  y2 = std::min(y2, image->cy2);
  if (x1 > x2) return;
  for (int y = y1; y <= y2; ++y) FillRow(image, y, x1, x2, colour);
}

// A line drawn with a square pen `pen` pixels wide whose top-left corner
// follows the line: at a scale of s, a one-pixel line covers exactly the
// magnified pixels of the line it stands for.
void PenLine(gdImagePtr image, int x1, int y1, int x2, int y2, int pen, int colour) {
  for (int dx = 0; dx < pen; ++dx)
    for (int dy = 0; dy < pen; ++dy) gdImageLine(image, x1 + dx, y1 + dy, x2 + dx, y2 + dy, colour);
}

// A glyph of a built-in font with each of its pixels drawn `scale` x
// `scale` pixels large, clipped like every drawing.
void DrawGlyph(gdImagePtr image, gdFontPtr font, int left, int top, int glyph, int colour,
                int scale) {
  if (glyph < font->offset || glyph >= font->offset + font->nchars) return;
  const char* bits = font->data + (glyph - font->offset) * font->w * font->h;
  for (int row = 0; row < font->h; ++row)
    for (int col = 0; col < font->w; ++col)
      if (bits[row * font->w + col])
        FillRectangle(image, left + col * scale, top + row * scale, left + col * scale + scale - 1,
                      top + row * scale + scale - 1, colour);
}

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path`, so that a failed write never leaves a partial picture.
// Returns the system's description of what failed, or an empty text.
std::string WriteFileAtomically(const std::string& path, const void* bytes, size_t size) {
  std::random_device random;
  std::string temporary = path + ".tmp" + std::to_string(random());
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return std::strerror(errno);
  bool written = std::fwrite(bytes, 1, size, file) == size;
  written = std::fclose(file) == 0 && written;
  std::string failure = written ? std::string() : std::strerror(errno);
  std::error_code error;
  if (written) std::filesystem::rename(temporary, path, error);
  if (error) failure = error.message();
  if (!failure.empty()) std::filesystem::remove(temporary, error);
  return failure;
}

}  // namespace

void Pintrel::ImageDeleter::operator()(gdImageStruct* image) const { gdImageDestroy(image); }

bool Pintrel::Invoke(std::string_view member, automation::CallKind kind,
                     std::span<Variant> args, Variant& result) {
  int found = kMembers.Find(member);
  if (found == kScale) return kind == automation::CallKind::kPropertyPut && SetScale(args);
  if (kind != automation::CallKind::kMethod) return false;
  switch (found) {
    case kClearBitmap: return ClearBitmap(args, result);
    case kAddLine: return AddLine(args);
    case kAddRectangle: return AddRectangle(args);
    case kAddText: return AddText(args);
    case kFillArea: return FillArea(args);
    case kSaveBitmap: return SaveBitmap(args, result);
    default: return false;
  }
}

bool Pintrel::ClearBitmap(std::span<Variant> args, Variant& result) {
  image_.reset();
  std::optional<int> width = Integer(args, 0), height = Integer(args, 1);
  if (args.size() != 5 || !width || !height) return false;
  if (*width < 1 || *height < 1) return false;
  int64_t pixelsWide = int64_t{*width} * scale_, pixelsHigh = int64_t{*height} * scale_;
  if (pixelsWide * pixelsHigh > kMaxPixels) {
    result = "Picture too large to draw (" + std::to_string(pixelsWide) + " x " +
             std::to_string(pixelsHigh) + " pixels)";
    return false;
  }
  int sx = static_cast<int>(pixelsWide), sy = static_cast<int>(pixelsHigh);
  image_.reset(gdImageCreate(sx, sy));
  if (!image_) return false;
  std::optional<int> colour = Colour(image_.get(), args, 2);
  if (!colour) {
    image_.reset();
    return false;
  }
  FillRectangle(image_.get(), 0, 0, sx - 1, sy - 1, *colour);
  return true;
}

bool Pintrel::SetScale(std::span<Variant> args) {
  std::optional<int> scale = Integer(args, 0);
  if (args.size() != 1 || !scale || *scale < 1 || *scale > kMaxScale) return false;
  scale_ = *scale;
  // FreeType's font cache must be set up before pictures are drawn on
  // several threads at once.
  static std::once_flag fontCache;
  std::call_once(fontCache, [] { gdFontCacheSetup(); });
  return true;
}

bool Pintrel::AddLine(std::span<Variant> args) {
  std::optional<int> x1 = Integer(args, 0), y1 = Integer(args, 1);
  std::optional<int> x2 = Integer(args, 2), y2 = Integer(args, 3);
  std::optional<int> thickness = Integer(args, 4);
  if (!image_) return false;
  std::optional<int> colour = Colour(image_.get(), args, 5);
  if (args.size() != 8 || !x1 || !y1 || !x2 || !y2 || !thickness || !colour ||
      *thickness < 1)
    return false;
  if (scale_ > 1) {
    int s = scale_;
    PenLine(image_.get(), *x1 * s, *y1 * s, *x2 * s, *y2 * s, *thickness * s, *colour);
    return true;
  }
  gdImageSetThickness(image_.get(), *thickness);
  gdImageLine(image_.get(), *x1, *y1, *x2, *y2, *colour);
  gdImageSetThickness(image_.get(), 1);
  return true;
}

bool Pintrel::AddRectangle(std::span<Variant> args) {
  std::optional<int> x = Integer(args, 0), y = Integer(args, 1);
  std::optional<int> width = Integer(args, 2), height = Integer(args, 3);
  if (!image_) return false;
  std::optional<int> colour = Colour(image_.get(), args, 4);
  std::optional<bool> filled = args.size() == 8 ? args[7].ToBool() : std::nullopt;
  if (!x || !y || !width || !height || !colour || !filled) return false;
  if (*width < 1 || *height < 1) return true;  // nothing to cover
  int s = scale_;
  int left = *x * s, top = *y * s, right = (*x + *width) * s - 1, bottom = (*y + *height) * s - 1;
  if (*filled) {
    FillRectangle(image_.get(), left, top, right, bottom, *colour);
  } else if (s == 1) {
    gdImageRectangle(image_.get(), left, top, right, bottom, *colour);
  } else {
    PenLine(image_.get(), left, top, right - s + 1, top, s, *colour);
    PenLine(image_.get(), left, bottom - s + 1, right - s + 1, bottom - s + 1, s, *colour);
    PenLine(image_.get(), left, top, left, bottom - s + 1, s, *colour);
    PenLine(image_.get(), right - s + 1, top, right - s + 1, bottom - s + 1, s, *colour);
  }
  return true;
}

bool Pintrel::AddText(std::span<Variant> args) {
  std::optional<std::string> text = args.empty() ? std::nullopt : args[0].ToText();
  std::optional<int> x = Integer(args, 1), y = Integer(args, 2);
  std::optional<int> width = Integer(args, 3), height = Integer(args, 4);
  if (!image_) return false;
  std::optional<int> colour = Colour(image_.get(), args, 5);
  if (args.size() != 8 || !text || !x || !y || !width || !height || !colour)
    return false;
  DrawLabel(*text, *x, *y, *width, *height, *colour);
  return true;
}

// A label is clipped to its box and drawn from its left edge. Magnified, it
// is drawn in the outline font, centred on the box's middle line and made
// smaller when it would be wider than the box (the layout gives 10 units
// per character, a little less than a wide letter needs). Otherwise, or
// without the font, it is drawn in the built-in font: 8 x 16 pixels, inside
// the 10 pixels per character and 20 pixels of height that labels are
// given, with glyphs for plain ASCII only, so any other character is drawn
// as '?' (one glyph per code point keeps the label as wide as it was
// measured).
void Pintrel::DrawLabel(const std::string& text, int x, int y, int width, int height,
                        int colour) {
  gdImagePtr image = image_.get();
  const int s = scale_;
  int left = x * s, top = y * s, boxWidth = width * s, boxHeight = height * s;
  int clipLeft = std::max(left, 0), clipTop = std::max(top, 0);
  int clipRight = std::min(left + boxWidth - 1, gdImageSX(image) - 1);
  int clipBottom = std::min(top + boxHeight - 1, gdImageSY(image) - 1);
  if (clipLeft > clipRight || clipTop > clipBottom) return;  // nothing visible
  gdImageSetClip(image, clipLeft, clipTop, clipRight, clipBottom);

  char* font = const_cast<char*>(TAVELLE_LABEL_FONT);
  char* chars = const_cast<char*>(text.c_str());
  double em = kLabelEm * s;
  bool drawn = false;
  std::optional<int> inkWidth;
  if (s > 1 && *font != '\0') inkWidth = LabelInkWidth(font, text, em, colour);
  if (inkWidth) {
    if (*inkWidth > boxWidth) em = em * boxWidth / *inkWidth;
    int baseline = top + boxHeight / 2 + static_cast<int>(std::lround(em * 0.36));
    int box[8];
    drawn = gdImageStringFT(image, box, colour, font, em * kPointsPerPixel, 0, left, baseline,
                            chars) == nullptr;
  }
  if (!drawn) {
    gdFontPtr builtIn = gdFontGetLarge();
    int glyphTop = top + std::max(0, (boxHeight - builtIn->h * s) / 2);
    for (unsigned char byte : text) {
      if ((byte & 0xC0) == 0x80) continue;  // inside a multi-byte character
      if (left > clipRight) break;
      int glyph = (byte >= 0x20 && byte < 0x7F) ? byte : '?';
      DrawGlyph(image, builtIn, left, glyphTop, glyph, colour, s);
      left += builtIn->w * s;
    }
  }
  gdImageSetClip(image, 0, 0, gdImageSX(image) - 1, gdImageSY(image) - 1);
}

bool Pintrel::FillArea(std::span<Variant> args) {
  std::optional<int> x = Integer(args, 0), y = Integer(args, 1);
  if (!image_) return false;
  std::optional<int> fill = Colour(image_.get(), args, 2), border = Colour(image_.get(), args, 5);
  if (args.size() != 8 || !x || !y || !fill || !border) return false;
  FillToBorder(image_.get(), *x * scale_, *y * scale_, *fill, *border);
  return true;
}

bool Pintrel::SaveBitmap(std::span<Variant> args, Variant& result) {
  std::optional<std::string> path = args.empty() ? std::nullopt : args[0].ToText();
  std::optional<int> format = Integer(args, 1);
  if (!image_ || args.size() != 2 || !path || format != kSavePng) return false;
  int size = 0;
  // Fast compression: diagrams are flat areas that compress well at any
  // level, and a large run writes thousands of them.
  void* png = gdImagePngPtrEx(image_.get(), &size, kPngCompression);
  if (png == nullptr) return false;
  std::string failure = WriteFileAtomically(*path + "png", png, static_cast<size_t>(size));
  gdFree(png);
  if (failure.empty()) return true;
  result = failure;
  return false;
}

}  // namespace pintrel
