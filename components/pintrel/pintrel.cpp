#include "components/pintrel/pintrel.h"

#include <gd.h>
#include <gdfontl.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
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

const automation::MemberNames kMembers = {"ClearBitmap", "AddLine",  "AddRectangle",
                                          "AddText",     "FillArea", "SaveBitmap"};
enum Member { kClearBitmap, kAddLine, kAddRectangle, kAddText, kFillArea, kSaveBitmap };

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
    for (int px = left; px <= right; ++px) gdImageSetPixel(image, px, sy, fill);
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
  for (int y = y1; y <= y2; ++y)
    std::memset(image->pixels[y] + x1, colour, static_cast<size_t>(x2 - x1 + 1));
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
  if (kind != automation::CallKind::kMethod) return false;
  switch (kMembers.Find(member)) {
    case kClearBitmap: return ClearBitmap(args);
    case kAddLine: return AddLine(args);
    case kAddRectangle: return AddRectangle(args);
    case kAddText: return AddText(args);
    case kFillArea: return FillArea(args);
    case kSaveBitmap: return SaveBitmap(args, result);
    default: return false;
  }
}

bool Pintrel::ClearBitmap(std::span<Variant> args) {
  image_.reset();
  std::optional<int> width = Integer(args, 0), height = Integer(args, 1);
  if (args.size() != 5 || !width || !height) return false;
  if (*width < 1 || *height < 1 || int64_t{*width} * *height > kMaxPixels) return false;
  image_.reset(gdImageCreate(*width, *height));
  if (!image_) return false;
  std::optional<int> colour = Colour(image_.get(), args, 2);
  if (!colour) {
    image_.reset();
    return false;
  }
  FillRectangle(image_.get(), 0, 0, *width - 1, *height - 1, *colour);
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
  int right = *x + *width - 1, bottom = *y + *height - 1;
  if (*filled)
    FillRectangle(image_.get(), *x, *y, right, bottom, *colour);
  else
    gdImageRectangle(image_.get(), *x, *y, right, bottom, *colour);
  return true;
}

// The built-in font is 8 x 16 pixels, inside the 10 pixels per character
// and 20 pixels of height that labels are given. It has glyphs for plain
// ASCII only, so any other character is drawn as '?' (one glyph per code
// point keeps the label as wide as it was measured).
bool Pintrel::AddText(std::span<Variant> args) {
  std::optional<std::string> text = args.empty() ? std::nullopt : args[0].ToText();
  std::optional<int> x = Integer(args, 1), y = Integer(args, 2);
  std::optional<int> width = Integer(args, 3), height = Integer(args, 4);
  if (!image_) return false;
  std::optional<int> colour = Colour(image_.get(), args, 5);
  if (args.size() != 8 || !text || !x || !y || !width || !height || !colour)
    return false;

  gdImagePtr image = image_.get();
  int clipLeft = std::max(*x, 0), clipTop = std::max(*y, 0);
  int clipRight = std::min(*x + *width - 1, gdImageSX(image) - 1);
  int clipBottom = std::min(*y + *height - 1, gdImageSY(image) - 1);
  if (clipLeft > clipRight || clipTop > clipBottom) return true;  // nothing visible

  gdFontPtr font = gdFontGetLarge();
  int top = *y + std::max(0, (*height - font->h) / 2);
  int left = *x;
  gdImageSetClip(image, clipLeft, clipTop, clipRight, clipBottom);
  for (unsigned char byte : *text) {
    if ((byte & 0xC0) == 0x80) continue;  // inside a multi-byte character
    if (left > clipRight) break;
    int glyph = (byte >= 0x20 && byte < 0x7F) ? byte : '?';
    gdImageChar(image, font, left, top, glyph, *colour);
    left += font->w;
  }
  gdImageSetClip(image, 0, 0, gdImageSX(image) - 1, gdImageSY(image) - 1);
  return true;
}

bool Pintrel::FillArea(std::span<Variant> args) {
  std::optional<int> x = Integer(args, 0), y = Integer(args, 1);
  if (!image_) return false;
  std::optional<int> fill = Colour(image_.get(), args, 2), border = Colour(image_.get(), args, 5);
  if (args.size() != 8 || !x || !y || !fill || !border) return false;
  FillToBorder(image_.get(), *x, *y, *fill, *border);
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
