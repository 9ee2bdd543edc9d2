#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/core/run.h"
#include "engine/diagram/class_diagrams.h"
#include "engine/scan/records.h"

namespace {

using tavelle::ClassDoc;
using tavelle::DrawInfo;
using tavelle::SortedCollection;

std::shared_ptr<ClassDoc> AddClass(SortedCollection<ClassDoc>& classes, const std::string& name,
                                   std::vector<std::string> bases) {
  auto doc = std::make_shared<ClassDoc>();
  doc->Name = name;
  doc->filename = name + ".htm";
  doc->BaseClasses = std::move(bases);
  classes.AddSorted(doc);
  return doc;
}

// One line per item: kind, points, size, colour.
std::string Describe(const DrawInfo& item) {
  auto point = [](int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; };
  std::string colour = " " + std::to_string(item.Red) + "," + std::to_string(item.Green) + "," +
                       std::to_string(item.Blue);
  std::string size = " " + std::to_string(item.Width) + "x" + std::to_string(item.Height);
  switch (item.DrawType) {
    case tavelle::kDrawLine: return "line " + point(item.X, item.Y) + point(item.X2, item.Y2) + colour;
    case tavelle::kDrawRectangle: return "rect " + point(item.X, item.Y) + size + colour;
    case tavelle::kDrawText: return "text " + item.Text + " " + point(item.X, item.Y) + size + colour;
    case tavelle::kDrawTriangle:
      return "tri " + point(item.X, item.Y) + point(item.X2, item.Y2) + point(item.X3, item.Y3) + colour;
  }
  return "?";
}

std::vector<std::string> Labels(const ClassDoc& doc) {
  std::vector<std::string> labels;
  for (const DrawInfo& item : doc.DiagramInfo)
    if (item.DrawType == tavelle::kDrawText) labels.push_back(item.Text);
  return labels;
}

TEST(HierarchyLayout, WorkedExampleGivesEveryItemTheSizeAndTheImageMap) {
  SortedCollection<ClassDoc> classes;
  // Blanks around a base name are ignored for lookup and label.
  auto derived = AddClass(classes, "Derived", {"BaseA", "  BaseB "});
  AddClass(classes, "BaseA", {" Root"});
  AddClass(classes, "Root", {});
  tavelle::GenerateBitmapInfo(*derived, classes);

  std::vector<std::string> items;
  for (const DrawInfo& item : derived->DiagramInfo) items.push_back(Describe(item));
  EXPECT_EQ(items, (std::vector<std::string>{
                       "rect (5,5) 80x30 140,140,140",
                       "rect (0,0) 80x30 200,200,200",
                       "text Derived (5,5) 70x20 0,0,0",
                       "rect (45,45) 80x30 140,140,140",
                       "rect (40,40) 80x30 200,200,200",
                       "text BaseA (45,45) 50x20 0,0,0",
                       "tri (40,55)(32,49)(32,61) 0,0,0",
                       "line (40,55)(20,55) 0,0,0",
                       "line (20,55)(20,30) 0,0,0",
                       "rect (85,85) 80x30 140,140,140",
                       "rect (80,80) 80x30 200,200,200",
                       "text Root (85,85) 40x20 0,0,0",
                       "tri (80,95)(72,89)(72,101) 0,0,0",
                       "line (80,95)(60,95) 0,0,0",
                       "line (60,95)(60,70) 0,0,0",
                       "rect (45,125) 80x30 140,140,140",
                       "rect (40,120) 80x30 200,200,200",
                       "text BaseB (45,125) 50x20 0,0,0",
                       "tri (40,135)(32,129)(32,141) 0,0,0",
                       "line (40,135)(20,135) 0,0,0",
                       "line (20,135)(20,30) 0,0,0",
                   }));
  EXPECT_EQ(derived->BMP_Width, 165);
  EXPECT_EQ(derived->BMP_Height, 155);
  EXPECT_EQ(derived->BMP_FileName, "Derived.");
  // Areas keep each box's own width; the undocumented BaseB has none.
  EXPECT_EQ(derived->DiagramHTML,
            "<img src=\"Derived.png\" border=0 usemap=\"#map1\" HEIGHT=155 WIDTH=165>\r\n"
            "<map name=\"map1\">\r\n"
            "<area href=Derived.htm alt=\"Hiearchy Diagram of Derived\" shape=rect "
            "coords=\"0,0,80,30\">\r\n"
            "<area href=BaseA.htm alt=\"\" shape=rect coords=\"40,40,100,70\">\r\n"
            "<area href=Root.htm alt=\"\" shape=rect coords=\"80,80,130,110\">\r\n"
            "</MAP>");

  // A second layout starts afresh.
  tavelle::GenerateBitmapInfo(*derived, classes);
  EXPECT_EQ(derived->DiagramInfo.size(), items.size());
}

TEST(HierarchyLayout, OnlyClassesWithBasesAndAnHtmPageGetADiagram) {
  SortedCollection<ClassDoc> classes;
  auto plain = AddClass(classes, "Plain", {});
  plain->DiagramHTML = "left over";
  plain->DiagramInfo.resize(3);
  tavelle::GenerateBitmapInfo(*plain, classes);
  EXPECT_TRUE(plain->DiagramInfo.empty());
  EXPECT_EQ(plain->DiagramHTML, "");
  EXPECT_EQ(plain->BMP_Width, 0);
  EXPECT_EQ(plain->BMP_FileName, "Plain.");

  auto upper = AddClass(classes, "Upper", {"Plain"});
  upper->filename = "pages/Upper.HTM";
  tavelle::GenerateBitmapInfo(*upper, classes);
  EXPECT_EQ(upper->BMP_FileName, "pages/Upper.");
  EXPECT_NE(upper->DiagramHTML.find("src=\"pages/Upper.png\""), std::string::npos);
  EXPECT_NE(upper->DiagramHTML.find("<area href=pages/Upper.HTM "), std::string::npos);

  auto other = AddClass(classes, "Other", {"Plain"});
  other->filename = "Other.html.txt";  // ".htm" found inside ".html"
  tavelle::GenerateBitmapInfo(*other, classes);
  EXPECT_EQ(other->BMP_FileName, "Other.");

  auto text = AddClass(classes, "Text", {"Plain"});
  text->filename = "Text.txt";
  text->DiagramInfo.resize(2);
  tavelle::GenerateBitmapInfo(*text, classes);
  EXPECT_TRUE(text->DiagramInfo.empty());
  EXPECT_EQ(text->DiagramHTML, "");
  EXPECT_EQ(text->BMP_FileName, "");
}

TEST(HierarchyLayout, OwnLabelIsTrimmedButTheAltTextKeepsTheName) {
  SortedCollection<ClassDoc> classes;
  auto doc = AddClass(classes, " Shape ", {"Missing"});
  doc->filename = "Shape.htm";
  tavelle::GenerateBitmapInfo(*doc, classes);
  EXPECT_EQ(Labels(*doc), (std::vector<std::string>{"Shape", "Missing"}));
  EXPECT_NE(doc->DiagramHTML.find("alt=\"Hiearchy Diagram of  Shape \""), std::string::npos);
  EXPECT_EQ(doc->DiagramHTML.find("Missing"), std::string::npos) << "an unknown base has no area";
}

TEST(HierarchyLayout, RepeatedBasesAreDrawnPerOccurrenceAndCyclesEnd) {
  SortedCollection<ClassDoc> classes;
  auto diamond = AddClass(classes, "D", {"L", "R", "L"});
  AddClass(classes, "L", {"T"});
  AddClass(classes, "R", {"T"});
  AddClass(classes, "T", {});
  tavelle::GenerateBitmapInfo(*diamond, classes);
  EXPECT_EQ(Labels(*diamond), (std::vector<std::string>{"D", "L", "T", "R", "T", "L", "T"}));

  // A cycle stops at the class already on the path, which is drawn once more.
  auto a = AddClass(classes, "A", {"B"});
  AddClass(classes, "B", {"A"});
  tavelle::GenerateBitmapInfo(*a, classes);
  EXPECT_EQ(Labels(*a), (std::vector<std::string>{"A", "B", "A"}));

  auto self = AddClass(classes, "Self", {"Self", "T"});
  tavelle::GenerateBitmapInfo(*self, classes);
  EXPECT_EQ(Labels(*self), (std::vector<std::string>{"Self", "Self", "T"}));
}

TEST(HierarchyLayout, DiagramsStopBeforeTheSixteenBitLimit) {
  SortedCollection<ClassDoc> classes;
  for (int i = 0; i < 2000; ++i)
    AddClass(classes, "C" + std::to_string(i), {"C" + std::to_string(i + 1)});
  auto deepest = classes.Find("C0");
  tavelle::GenerateBitmapInfo(*deepest, classes);

  // Box k sits at (40k, 40k) and all boxes are 50 wide (names up to "C817"),
  // so box 817 is the last whose shadow ends at or before 32767.
  EXPECT_EQ(Labels(*deepest).size(), 818u);
  EXPECT_EQ(deepest->BMP_Width, 40 * 817 + 5 + 50);
  EXPECT_EQ(deepest->BMP_Height, 40 * 817 + 5 + 30);
  for (const DrawInfo& item : deepest->DiagramInfo) {
    ASSERT_GE(item.X, 0);
    ASSERT_LE(item.X + item.Width, deepest->BMP_Width);
  }

  // A label too long for any picture leaves the class without a diagram.
  auto wide = AddClass(classes, std::string(4000, 'W'), {"C1"});
  tavelle::GenerateBitmapInfo(*wide, classes);
  EXPECT_TRUE(wide->DiagramInfo.empty());
  EXPECT_EQ(wide->DiagramHTML, "");
}

TEST(HierarchyLayout, WidthsCountCharactersNotBytes) {
  SortedCollection<ClassDoc> classes;
  auto doc = AddClass(classes, "Größe", {"日本"});
  tavelle::GenerateBitmapInfo(*doc, classes);
  ASSERT_EQ(doc->DiagramInfo.size(), 9u);
  EXPECT_EQ(Describe(doc->DiagramInfo[2]), "text Größe (5,5) 50x20 0,0,0");
  EXPECT_EQ(Describe(doc->DiagramInfo[5]), "text 日本 (45,45) 20x20 0,0,0");
  EXPECT_EQ(doc->DiagramInfo[0].Width, 60) << "the wider of 60 and 30";
  EXPECT_NE(doc->DiagramHTML.find("coords=\"0,0,60,30\""), std::string::npos);
}

}  // namespace
