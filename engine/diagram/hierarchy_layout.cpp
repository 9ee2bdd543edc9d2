// GenerateBitmapInfo: lays out a class's base-class hierarchy as
// drawing items, sizes the picture and builds the image tag and image map
// that the class page shows.
//
// The class box sits at the top left; every base box is one step (40 px)
// further right than the box that names it and one step lower than the
// box placed before it, so the walk is depth-first in declaration order.
// Two guards keep the walk finite and the numbers inside 16 bits: a base
// that is already on the current path (a cycle) is drawn without following
// its bases again, and once a box would reach past 32,767 pixels no further
// boxes are placed.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "automation/ascii.h"
#include "engine/core/html_text.h"
#include "engine/scan/fields.h"
#include "engine/diagram/class_diagrams.h"

namespace tavelle {
namespace {

constexpr int kCharWidth = 10;      // a label is this wide per character
constexpr int kBoxHeight = 30;
constexpr int kLabelHeight = 20;
constexpr int kShadowOffset = 5;    // shadow and label, right and down from the box
constexpr int kStep = 40;           // per base level to the right, per box downwards
constexpr int kConnectorColumn = kStep / 2;
constexpr int kConnectorRow = kBoxHeight / 2;
constexpr int kArrowLength = 8;     // 0.2 of a step
constexpr int kArrowHalfWidth = 6;  // 0.2 of a box height
constexpr int kMaxCoordinate = 32767;

// Longer labels can never fit in a picture, so counting stops here and the
// width arithmetic below cannot overflow.
constexpr int kMaxCountedCharacters = kMaxCoordinate / kCharWidth + 1;

constexpr std::string_view kCRLF = "\r\n";

// Appends " NAME=VALUE": unquoted when the value may stand so in HTML (as
// the map has always written ordinary file names), else quoted as text.
void AppendAttribute(std::string& html, std::string_view name, std::string_view value) {
  html += name;
  html += '=';
  bool plain = !value.empty() &&
               value.find_first_of(" \t\r\n\f\"'=<>`&") == std::string_view::npos;
  if (plain) {
    html += value;
    return;
  }
  html += '"';
  AppendHTMLText(html, value);
  html += '"';
}

// Characters are code points of the UTF-8 text: every byte that is not a
// continuation byte starts one.
int CharacterCount(std::string_view text) {
  int count = 0;
  for (unsigned char byte : text) {
    if ((byte & 0xC0) != 0x80 && ++count == kMaxCountedCharacters) break;
  }
  return count;
}

DrawInfo Rectangle(int x, int y, int width, int height, int16_t grey) {
  DrawInfo item;
  item.DrawType = kDrawRectangle;
  item.X = static_cast<int16_t>(x);
  item.Y = static_cast<int16_t>(y);
  item.Width = static_cast<int16_t>(width);
  item.Height = static_cast<int16_t>(height);
  item.Red = item.Green = item.Blue = grey;
  return item;
}

DrawInfo Line(int x1, int y1, int x2, int y2) {
  DrawInfo item;
  item.DrawType = kDrawLine;
  item.X = static_cast<int16_t>(x1);
  item.Y = static_cast<int16_t>(y1);
  item.X2 = static_cast<int16_t>(x2);
  item.Y2 = static_cast<int16_t>(y2);
  return item;
}

class HierarchyLayout {
 public:
  HierarchyLayout(ClassDoc& doc, const SortedCollection<ClassDoc>& classes)
      : doc_(doc), classes_(classes) {}

  // Places every box and connector; false when not even the class's own
  // box fits, in which case nothing is placed.
  bool PlaceBoxes();
  void EqualizeBoxWidths();
  void ComputeBitmapSize();
  std::string DiagramHTML() const;

 private:
  bool AddDiagramBox(std::string_view name, int x, int y, const std::string& fileName,
                     std::string_view altText);
  void AddBaseClass(std::string_view baseName, int x, int& y, int parentX, int parentY);
  void AddConnector(int parentX, int parentY, int x, int y);
  int16_t GetMaxBoxWidth() const;
  bool FitsInPicture(int x, int y, int width) const;

  ClassDoc& doc_;
  const SortedCollection<ClassDoc>& classes_;
  std::string areas_;                             // the image map's area lines
  std::unordered_set<const ClassDoc*> on_path_;  // the classes whose bases are being placed
  int rightmost_box_x_ = 0;
  int widest_box_ = 0;
  bool full_ = false;                            // a box did not fit; place no more
};

bool HierarchyLayout::PlaceBoxes() {
  on_path_.insert(&doc_);
  int y = 0;
  if (!AddDiagramBox(TrimSpaces(doc_.Name), 0, y, doc_.filename,
                     "Hiearchy Diagram of " + doc_.Name))
    return false;
  for (const std::string& base : doc_.BaseClasses) AddBaseClass(TrimSpaces(base), 0, y, 0, 0);
  return true;
}

// Equalizing widens every box to the widest one, so a box fits only if the
// rightmost box would still fit at the widest width.
bool HierarchyLayout::FitsInPicture(int x, int y, int width) const {
  int right = std::max(rightmost_box_x_, x) + kShadowOffset + std::max(widest_box_, width);
  int bottom = y + kShadowOffset + kBoxHeight;
  return right <= kMaxCoordinate && bottom <= kMaxCoordinate;
}

bool HierarchyLayout::AddDiagramBox(std::string_view name, int x, int y,
                                    const std::string& fileName, std::string_view altText) {
  int labelWidth = kCharWidth * CharacterCount(name);
  int width = labelWidth + kCharWidth;
  if (!FitsInPicture(x, y, width)) {
    full_ = true;
    return false;
  }
  rightmost_box_x_ = std::max(rightmost_box_x_, x);
  widest_box_ = std::max(widest_box_, width);

  doc_.DiagramInfo.push_back(
      Rectangle(x + kShadowOffset, y + kShadowOffset, width, kBoxHeight, 140));
  doc_.DiagramInfo.push_back(Rectangle(x, y, width, kBoxHeight, 200));
  DrawInfo label;
  label.DrawType = kDrawText;
  label.Text = std::string(name);
  label.X = static_cast<int16_t>(x + kShadowOffset);
  label.Y = static_cast<int16_t>(y + kShadowOffset);
  label.Width = static_cast<int16_t>(labelWidth);
  label.Height = kLabelHeight;
  doc_.DiagramInfo.push_back(label);

  if (fileName.empty()) return true;
  // The area keeps the box's own width even after the boxes are equalized.
  areas_ += "<area ";
  AppendAttribute(areas_, "href", fileName);
  areas_ += " alt=\"";
  AppendHTMLText(areas_, altText);
  areas_ += "\" shape=rect coords=\"";
  areas_ += std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + width) + "," +
            std::to_string(y + kBoxHeight);
  areas_ += "\">";
  areas_ += kCRLF;
  return true;
}

// `y` is the running row of the whole walk: every base box goes one step
// below the box placed before it, whatever its level.
void HierarchyLayout::AddBaseClass(std::string_view baseName, int x, int& y, int parentX,
                                   int parentY) {
  if (full_) return;
  x += kStep;
  y += kStep;
  SortedCollection<ClassDoc>::Ptr base = classes_.Find(baseName);
  if (!AddDiagramBox(baseName, x, y, base ? base->filename : std::string(), "")) return;
  AddConnector(parentX, parentY, x, y);

  if (!base || base->BaseClasses.empty() || on_path_.contains(base.get())) return;
  on_path_.insert(base.get());
  int row = y;
  for (const std::string& entry : base->BaseClasses) AddBaseClass(TrimSpaces(entry), x, y, x, row);
  on_path_.erase(base.get());
}

// An arrow head touching the middle of the base box's left edge, then an
// elbow back to the bottom edge of the derived box.
void HierarchyLayout::AddConnector(int parentX, int parentY, int x, int y) {
  int row = y + kConnectorRow;
  int column = parentX + kConnectorColumn;
  DrawInfo arrow;
  arrow.DrawType = kDrawTriangle;
  arrow.X = static_cast<int16_t>(x);
  arrow.Y = static_cast<int16_t>(row);
  arrow.X2 = static_cast<int16_t>(x - kArrowLength);
  arrow.Y2 = static_cast<int16_t>(row - kArrowHalfWidth);
  arrow.X3 = static_cast<int16_t>(x - kArrowLength);
  arrow.Y3 = static_cast<int16_t>(row + kArrowHalfWidth);
  doc_.DiagramInfo.push_back(arrow);
  doc_.DiagramInfo.push_back(Line(x, row, column, row));
  doc_.DiagramInfo.push_back(Line(column, row, column, parentY + kBoxHeight));
}

int16_t HierarchyLayout::GetMaxBoxWidth() const {
  int16_t widest = 0;
  for (const DrawInfo& item : doc_.DiagramInfo) {
    if (item.DrawType == kDrawRectangle) widest = std::max(widest, item.Width);
  }
  return widest;
}

// Boxes and shadows take the widest width; labels keep theirs.
void HierarchyLayout::EqualizeBoxWidths() {
  int16_t widest = GetMaxBoxWidth();
  for (DrawInfo& item : doc_.DiagramInfo) {
    if (item.DrawType == kDrawRectangle) item.Width = widest;
  }
}

// The picture ends at the farthest item; triangles lie inside the lines and
// boxes, and no margin is added.
void HierarchyLayout::ComputeBitmapSize() {
  int16_t width = 0, height = 0;
  for (const DrawInfo& item : doc_.DiagramInfo) {
    int right = 0, bottom = 0;
    if (item.DrawType == kDrawLine) {
      right = std::max(item.X, item.X2);
      bottom = std::max(item.Y, item.Y2);
    } else if (item.DrawType == kDrawRectangle || item.DrawType == kDrawText) {
      right = item.X + item.Width;
      bottom = item.Y + item.Height;
    } else {
      continue;
    }
    width = static_cast<int16_t>(std::max<int>(width, right));
    height = static_cast<int16_t>(std::max<int>(height, bottom));
  }
  doc_.BMP_Width = width;
  doc_.BMP_Height = height;
}

std::string HierarchyLayout::DiagramHTML() const {
  std::string html = "<img src=\"";
  AppendHTMLText(html, doc_.BMP_FileName);
  html += "png\" border=0 usemap=\"#map1\" HEIGHT=";
  html += std::to_string(doc_.BMP_Height);
  html += " WIDTH=";
  html += std::to_string(doc_.BMP_Width);
  html += ">";
  html += kCRLF;
  html += "<map name=\"map1\">";
  html += kCRLF;
  html += areas_;
  html += "</MAP>";
  return html;
}

// 0-based offset of the first ".htm" in `name`, in any letter case; npos
// when there is none.
size_t FindHtmExtension(std::string_view name) {
  constexpr std::string_view kExtension = ".htm";
  auto sameLetter = [](char c, char lower) { return automation::AsciiLower(c) == lower; };
  auto at = std::search(name.begin(), name.end(), kExtension.begin(), kExtension.end(), sameLetter);
  return at == name.end() ? std::string_view::npos : static_cast<size_t>(at - name.begin());
}

}  // namespace

std::string DiagramPictureName(std::string_view pageFile) {
  size_t dot = FindHtmExtension(pageFile);
  if (dot == std::string_view::npos) return {};
  return std::string(pageFile.substr(0, dot + 1)) + "png";
}

void GenerateBitmapInfo(ClassDoc& doc, const SortedCollection<ClassDoc>& classes) {
  doc.DiagramInfo.clear();
  size_t dot = FindHtmExtension(doc.filename);
  if (dot == std::string::npos) return;
  doc.BMP_FileName = doc.filename.substr(0, dot + 1);
  doc.DiagramHTML.clear();
  if (doc.BaseClasses.empty()) return;

  HierarchyLayout layout(doc, classes);
  if (!layout.PlaceBoxes()) return;
  layout.EqualizeBoxWidths();
  layout.ComputeBitmapSize();
  doc.DiagramHTML = layout.DiagramHTML();
}

}  // namespace tavelle
