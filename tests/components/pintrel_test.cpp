#include <gd.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "automation/registry.h"
#include "engine/core/run.h"
#include "engine/diagram/class_diagrams.h"
#include "engine/scan/records.h"
#include "tests/support/test_support.h"

namespace {

using automation::ObjectRef;
using automation::Variant;

struct ImageCloser {
  void operator()(gdImagePtr image) const { gdImageDestroy(image); }
};
using Image = std::unique_ptr<gdImageStruct, ImageCloser>;

Image LoadPng(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  Image image(gdImageCreateFromPng(file));
  std::fclose(file);
  return image;
}

std::string Rgb(const Image& image, int x, int y) {
  int pixel = gdImageGetTrueColorPixel(image.get(), x, y);
  return std::to_string(gdTrueColorGetRed(pixel)) + "," +
         std::to_string(gdTrueColorGetGreen(pixel)) + "," +
         std::to_string(gdTrueColorGetBlue(pixel));
}

bool Call(const ObjectRef& painter, const char* member, std::vector<Variant> args) {
  Variant ignored;
  return painter->Invoke(member, automation::CallKind::kMethod, args, ignored);
}

std::vector<Variant> Numbers(std::initializer_list<int> values) {
  std::vector<Variant> args;
  for (int value : values) args.emplace_back(static_cast<int16_t>(value));
  return args;
}

TEST(Pintrel, DrawsTheWorkedExampleAsAPngOfTheLaidOutSize) {
  tavelle::SortedCollection<tavelle::ClassDoc> classes;
  auto add = [&](const char* name, std::vector<std::string> bases) {
    auto doc = std::make_shared<tavelle::ClassDoc>();
    doc->Name = name;
    doc->filename = std::string(name) + ".htm";
    doc->BaseClasses = std::move(bases);
    classes.AddSorted(doc);
    return doc;
  };
  auto derived = add("Derived", {"BaseA", "BaseB"});
  add("BaseA", {"Root"});
  add("Root", {});
  testing_support::TempDir out;
  tavelle::GenerateBitmapInfo(*derived, classes);
  {
    tavelle::Run run(nullptr, out.path().string());
    tavelle::DrawBitmap(*derived, 1, run);
  }

  Image image = LoadPng(out / "Derived.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(gdImageSX(image.get()), derived->BMP_Width);
  EXPECT_EQ(gdImageSY(image.get()), derived->BMP_Height);
  EXPECT_EQ(Rgb(image, 2, 2), "200,200,200") << "box";
  EXPECT_EQ(Rgb(image, 82, 20), "140,140,140") << "shadow right of the box";
  EXPECT_EQ(Rgb(image, 40, 33), "140,140,140") << "shadow below the box";
  EXPECT_EQ(Rgb(image, 35, 53), "0,0,0") << "filled arrow head";
  EXPECT_EQ(Rgb(image, 38, 50), "255,255,255") << "the fill stays inside the arrow head";
  EXPECT_EQ(Rgb(image, 20, 45), "0,0,0") << "connector";
  EXPECT_EQ(Rgb(image, 160, 10), "255,255,255") << "background";

  bool labelInk = false;
  for (int x = 5; x < 75; ++x)
    for (int y = 5; y < 25; ++y) labelInk |= Rgb(image, x, y) == "0,0,0";
  EXPECT_TRUE(labelInk) << "the label is drawn";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1)
      << "no temporary file is left";
}

TEST(Pintrel, AScaledPictureDrawsTheLayoutMagnifiedWithSmoothLabels) {
  tavelle::SortedCollection<tavelle::ClassDoc> classes;
  auto derived = std::make_shared<tavelle::ClassDoc>(), base = std::make_shared<tavelle::ClassDoc>();
  derived->Name = "Derived";
  derived->filename = "Derived.htm";
  derived->BaseClasses = {"Base"};
  base->Name = "Base";
  base->filename = "Base.htm";
  classes.AddSorted(derived);
  classes.AddSorted(base);
  testing_support::TempDir out;
  tavelle::GenerateBitmapInfo(*derived, classes);
  {
    tavelle::Run run(nullptr, out.path().string());
    tavelle::DrawBitmap(*derived, 2, run);
  }

  Image image = LoadPng(out / "Derived.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(gdImageSX(image.get()), 2 * derived->BMP_Width);
  EXPECT_EQ(gdImageSY(image.get()), 2 * derived->BMP_Height);
  EXPECT_EQ(Rgb(image, 4, 4), "200,200,200") << "box";
  EXPECT_EQ(Rgb(image, 164, 40), "140,140,140") << "shadow right of the box";
  EXPECT_EQ(Rgb(image, 70, 106), "0,0,0") << "filled arrow head";
  EXPECT_EQ(Rgb(image, 76, 100), "255,255,255") << "the fill stays inside the arrow head";
  EXPECT_EQ(Rgb(image, 40, 90), "0,0,0") << "connector";
  std::set<std::string> labelShades;
  for (int x = 10; x < 150; ++x)
    for (int y = 10; y < 50; ++y) labelShades.insert(Rgb(image, x, y));
  EXPECT_GT(labelShades.size(), 5u) << "an antialiased label has shades between ink and box";

  // Drawn again, with the labels' widths already measured, the picture
  // is the same bytes.
  testing_support::TempDir again;
  {
    tavelle::Run run(nullptr, again.path().string());
    tavelle::DrawBitmap(*derived, 2, run);
  }
  EXPECT_EQ(testing_support::ReadFile(again / "Derived.png"),
            testing_support::ReadFile(out / "Derived.png"));

  ObjectRef painter = automation::CreateObject("Brushwell.Pintrel");
  EXPECT_FALSE(painter->Put("Scale", int16_t{0}));
  EXPECT_FALSE(painter->Put("Scale", int16_t{9}));
}

TEST(Pintrel, TextIsClippedToItsBoxAndFillsStopAtTheirBorder) {
  ObjectRef painter = automation::CreateObject("Brushwell.Pintrel");
  ASSERT_NE(painter, nullptr);
  ASSERT_TRUE(Call(painter, "ClearBitmap", Numbers({300, 200, 255, 255, 255})));
  // An outlined square, then a fill from its middle and one from outside it.
  std::vector<Variant> square = Numbers({100, 100, 50, 50, 0, 0, 255});
  square.emplace_back(false);
  ASSERT_TRUE(Call(painter, "AddRectangle", square));
  ASSERT_TRUE(Call(painter, "FillArea", Numbers({120, 120, 255, 0, 0, 0, 0, 255})));
  ASSERT_TRUE(Call(painter, "FillArea", Numbers({5, 190, 0, 255, 0, 0, 0, 255})));
  std::vector<Variant> text = {Variant("WWWWWWWWWWWWWWWWWWWWWWWW")};
  for (Variant number : Numbers({10, 10, 30, 20, 0, 0, 0})) text.push_back(number);
  ASSERT_TRUE(Call(painter, "AddText", text));
  testing_support::TempDir out;
  ASSERT_TRUE(Call(painter, "SaveBitmap", {Variant(out / "picture."), Variant(int16_t{3})}));

  Image image = LoadPng(out / "picture.png");
  ASSERT_NE(image, nullptr);
  bool inkInside = false, inkOutside = false;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 40; ++y) {
      bool ink = Rgb(image, x, y) != "0,255,0";
      (x >= 10 && x < 40 && y >= 10 && y < 30 ? inkInside : inkOutside) |= ink;
    }
  EXPECT_TRUE(inkInside);
  EXPECT_FALSE(inkOutside) << "a long label stays inside its box";
  EXPECT_EQ(Rgb(image, 100, 100), "0,0,255") << "border";
  EXPECT_EQ(Rgb(image, 120, 120), "255,0,0");
  EXPECT_EQ(Rgb(image, 148, 148), "255,0,0");
  EXPECT_EQ(Rgb(image, 299, 0), "0,255,0") << "the outside fill reaches the far corner";
}

TEST(Pintrel, RefusesBadCallsAndLeavesNoFileWhenSavingFails) {
  ObjectRef painter = automation::CreateObject("Brushwell.Pintrel");
  ASSERT_NE(painter, nullptr);
  testing_support::TempDir out;
  std::vector<Variant> line = Numbers({0, 0, 5, 5, 1, 0, 0, 0});
  EXPECT_FALSE(Call(painter, "AddLine", line)) << "nothing to draw on yet";
  EXPECT_FALSE(Call(painter, "ClearBitmap", Numbers({0, 10, 255, 255, 255})));
  EXPECT_FALSE(Call(painter, "ClearBitmap", Numbers({32767, 32767, 255, 255, 255})))
      << "too large to hold";
  EXPECT_FALSE(Call(painter, "ClearBitmap", Numbers({10, 10, 256, 0, 0})));

  ASSERT_TRUE(Call(painter, "ClearBitmap", Numbers({10, 10, 255, 255, 255})));
  EXPECT_TRUE(Call(painter, "AddLine", line));
  EXPECT_FALSE(Call(painter, "AddLine", Numbers({0, 0, 5})));
  EXPECT_FALSE(Call(painter, "NoSuchMember", {}));
  EXPECT_FALSE(Call(painter, "SaveBitmap", {Variant(out / "a."), Variant(int16_t{1})}));
  EXPECT_FALSE(Call(painter, "SaveBitmap", {Variant(out / "missing/a."), Variant(int16_t{3})}));
  EXPECT_TRUE(std::filesystem::is_empty(out.path()));

  // Drawing far outside the picture is harmless.
  EXPECT_TRUE(Call(painter, "FillArea", Numbers({-5, 400, 0, 0, 0, 0, 0, 0})));
  std::vector<Variant> text = {Variant("far")};
  for (Variant number : Numbers({-500, -500, 30, 20, 0, 0, 0})) text.push_back(number);
  EXPECT_TRUE(Call(painter, "AddText", text));
  EXPECT_TRUE(Call(painter, "SaveBitmap", {Variant(out / "a."), Variant(int16_t{3})}));
  Image image = LoadPng(out / "a.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(Rgb(image, 0, 0), "0,0,0");
  EXPECT_EQ(Rgb(image, 9, 0), "255,255,255");
}

}  // namespace
