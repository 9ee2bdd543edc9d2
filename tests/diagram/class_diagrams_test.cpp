#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/registry.h"
#include "engine/core/message_log.h"
#include "engine/scan/project.h"
#include "engine/diagram/class_diagrams.h"
#include "tests/support/test_support.h"

namespace {

using automation::Variant;

// Everything that happened, in order: component calls and logged rows.
struct Journal {
  std::vector<std::string> events;
  int components_created = 0;
  // What SaveBitmap does with the file it is to write.
  std::function<bool(const std::string& file)> save = [](const std::string& file) {
    testing_support::WriteFile(file, "picture");
    return true;
  };
};

std::string Show(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::kInt16: return value.AsText();
    case Variant::Kind::kText: return "\"" + value.AsText() + "\"";
    case Variant::Kind::kBoolean: return value.AsText();
    default: return "<wrong kind " + value.AsText() + ">";
  }
}

// Stands in for the drawing component and writes each call to the journal.
class RecordingPainter : public automation::Object {
 public:
  explicit RecordingPainter(Journal& journal) : journal_(journal) {}
  bool Invoke(std::string_view member, automation::CallKind, std::span<Variant> args,
              Variant&) override {
    std::string call = std::string(member) + "(";
    for (size_t i = 0; i < args.size(); ++i) call += (i ? "," : "") + Show(args[i]);
    journal_.events.push_back(call + ")");
    if (member == "SaveBitmap") return journal_.save(args[0].AsText() + "png");
    return true;
  }

 private:
  Journal& journal_;
};

class ClassDiagramsTest : public ::testing::Test {
 protected:
  ClassDiagramsTest()
      : painter_class_("Brushwell.Pintrel", [this] {
          ++journal_.components_created;
          return std::make_shared<RecordingPainter>(journal_);
        }) {
    sink_->on_message = [this](const std::string& row) { journal_.events.push_back("row " + row); };
    project_.settings.OutputMsgBox = sink_;
    project_.settings.OutputDirectory = out_.path().string();
  }

  std::shared_ptr<tavelle::ClassDoc> AddClass(const std::string& name,
                                              std::vector<std::string> bases) {
    auto doc = std::make_shared<tavelle::ClassDoc>();
    doc->Name = name;
    doc->filename = name + ".htm";
    doc->BaseClasses = std::move(bases);
    project_.Classes.AddSorted(doc);
    return doc;
  }

  void AddWorkedExample() {
    AddClass("Derived", {"BaseA", "BaseB"});
    AddClass("BaseA", {"Root"});
    AddClass("Root", {});
  }

  Journal journal_;
  automation::ClassRegistration painter_class_;
  std::shared_ptr<testing_support::RecordingSink> sink_ =
      std::make_shared<testing_support::RecordingSink>();
  testing_support::TempDir out_;
  tavelle::Project project_;
};

TEST_F(ClassDiagramsTest, WorkedExampleMakesTheseCallsInThisOrder) {
  AddWorkedExample();
  auto derived = project_.Classes.Find("Derived");
  tavelle::GenerateBitmapInfo(*derived, project_.Classes);
  tavelle::DrawBitmap(*derived, 1, *testing_support::RunOf(project_));

  std::string arrowColour = "1,0,0,0)";
  EXPECT_EQ(journal_.events, (std::vector<std::string>{
      "ClearBitmap(165,155,255,255,255)",
      "AddRectangle(5,5,80,30,140,140,140,True)",
      "AddRectangle(0,0,80,30,200,200,200,True)",
      "AddText(\"Derived\",5,5,70,20,0,0,0)",
      "AddRectangle(45,45,80,30,140,140,140,True)",
      "AddRectangle(40,40,80,30,200,200,200,True)",
      "AddText(\"BaseA\",45,45,50,20,0,0,0)",
      "AddLine(40,55,32,49," + arrowColour,
      "AddLine(32,49,32,61," + arrowColour,
      "AddLine(32,61,40,55," + arrowColour,
      "FillArea(36,55,0,0,0,0,0,0)",
      "AddLine(40,55,20,55," + arrowColour,
      "AddLine(20,55,20,30," + arrowColour,
      "AddRectangle(85,85,80,30,140,140,140,True)",
      "AddRectangle(80,80,80,30,200,200,200,True)",
      "AddText(\"Root\",85,85,40,20,0,0,0)",
      "AddLine(80,95,72,89," + arrowColour,
      "AddLine(72,89,72,101," + arrowColour,
      "AddLine(72,101,80,95," + arrowColour,
      "FillArea(76,95,0,0,0,0,0,0)",
      "AddLine(80,95,60,95," + arrowColour,
      "AddLine(60,95,60,70," + arrowColour,
      "AddRectangle(45,125,80,30,140,140,140,True)",
      "AddRectangle(40,120,80,30,200,200,200,True)",
      "AddText(\"BaseB\",45,125,50,20,0,0,0)",
      "AddLine(40,135,32,129," + arrowColour,
      "AddLine(32,129,32,141," + arrowColour,
      "AddLine(32,141,40,135," + arrowColour,
      "FillArea(36,135,0,0,0,0,0,0)",
      "AddLine(40,135,20,135," + arrowColour,
      "AddLine(20,135,20,30," + arrowColour,
      "row Generating Bitmap for Class: Derived",
      "SaveBitmap(\"" + out_.path().string() + "/.tavelle-" + std::to_string(getpid()) +
          "-0.tmp.\",3)",
  }));
  EXPECT_EQ(journal_.components_created, 1);
  EXPECT_EQ(testing_support::ReadFile(out_.path() / "Derived.png"), "picture");
}

TEST_F(ClassDiagramsTest, TheFillColumnRoundsHalvesToEven) {
  auto doc = AddClass("Odd", {});
  doc->BMP_FileName = "Odd.";
  tavelle::DrawInfo triangle;
  triangle.DrawType = tavelle::kDrawTriangle;
  for (auto [x, x2] : {std::pair{5, 0}, std::pair{7, 0}, std::pair{0, 7}}) {
    triangle.X = static_cast<int16_t>(x);
    triangle.X2 = static_cast<int16_t>(x2);
    doc->DiagramInfo.push_back(triangle);
  }
  tavelle::DrawInfo unknown;
  unknown.DrawType = 9;  // draws nothing
  doc->DiagramInfo.push_back(unknown);
  tavelle::DrawBitmap(*doc, 1, *testing_support::RunOf(project_));

  std::vector<std::string> fills;
  for (const std::string& event : journal_.events)
    if (event.starts_with("FillArea(")) fills.push_back(event.substr(9, event.find(',') - 9));
  EXPECT_EQ(fills, (std::vector<std::string>{"2", "4", "10"}));  // 2.5, 3.5, 10.5
  EXPECT_EQ(journal_.events.size(), 1u + 3 * 4 + 2);
}

TEST_F(ClassDiagramsTest, TheStepDrawsOnlyClassesWithBasesAndOnlyWhenAskedTo) {
  AddWorkedExample();
  project_.settings.GenerateDiagrams = false;
  tavelle::GenerateClassDiagrams(project_, *testing_support::RunOf(project_));
  EXPECT_EQ(journal_.components_created, 0);
  EXPECT_TRUE(journal_.events.empty());
  for (const auto& doc : project_.Classes) EXPECT_EQ(doc->DiagramHTML, "");

  project_.settings.GenerateDiagrams = true;
  tavelle::GenerateClassDiagrams(project_, *testing_support::RunOf(project_));
  EXPECT_EQ(journal_.components_created, 2) << "Root has no bases";
  std::vector<std::string> rows;
  for (const std::string& event : journal_.events)
    if (event.starts_with("row ")) rows.push_back(event);
  EXPECT_EQ(rows, (std::vector<std::string>{"row Generating Bitmap for Class: BaseA",
                                            "row Generating Bitmap for Class: Derived"}));
  EXPECT_EQ(project_.Classes.Find("Root")->DiagramHTML, "");
  EXPECT_NE(project_.Classes.Find("BaseA")->DiagramHTML, "");
}

TEST_F(ClassDiagramsTest, ACancelRequestEndsTheStepBeforeTheNextClass) {
  AddWorkedExample();
  auto run = testing_support::RunOf(project_);
  run->RequestCancel(true);
  tavelle::GenerateClassDiagrams(project_, *run);
  EXPECT_EQ(journal_.components_created, 0);
  EXPECT_EQ(project_.Classes.Find("Derived")->DiagramHTML, "");
}

TEST_F(ClassDiagramsTest, APictureOutsideTheOutputFolderIsRefusedOnce) {
  auto doc = AddClass("Escape", {"Elsewhere"});
  doc->filename = "../Escape.htm";
  tavelle::GenerateClassDiagrams(project_, *testing_support::RunOf(project_));
  EXPECT_EQ(journal_.components_created, 0);
  EXPECT_EQ(sink_->messages(),
            (std::vector<std::string>{"Path outside the output directory  File: " +
                                      out_.path().string() + "/../Escape.png"}));
}

// A picture takes its name only once it is saved whole: a save that fails
// halfway keeps the old picture, the same picture again keeps the old
// file and its time stamp, and a folder swapped for a link while the
// picture was drawn is refused, with nothing written where the link points.
TEST_F(ClassDiagramsTest, PicturesAreReplacedWholeAndNeverThroughALink) {
  namespace fs = std::filesystem;
  auto doc = AddClass("Lone", {"Elsewhere"});
  tavelle::GenerateBitmapInfo(*doc, project_.Classes);
  const fs::path picture = out_.path() / "Lone.png";
  auto lastRow = [&] { return sink_->messages().empty() ? "" : sink_->messages().back(); };
  testing_support::WriteFile(picture, "old");
  journal_.save = [](const std::string& file) {
    testing_support::WriteFile(file, "half");
    return false;
  };
  tavelle::DrawBitmap(*doc, 1, *testing_support::RunOf(project_));
  EXPECT_EQ(testing_support::ReadFile(picture), "old");
  EXPECT_EQ(lastRow(), "The picture could not be drawn  File: " + picture.string());

  journal_.save = [](const std::string& file) {
    testing_support::WriteFile(file, "new");
    return true;
  };
  tavelle::DrawBitmap(*doc, 1, *testing_support::RunOf(project_));
  EXPECT_EQ(testing_support::ReadFile(picture), "new");
  auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(picture, old);
  tavelle::DrawBitmap(*doc, 1, *testing_support::RunOf(project_));
  EXPECT_EQ(fs::last_write_time(picture), old);

  testing_support::TempDir elsewhere;
  fs::create_directories(out_.path() / "sub");
  doc->BMP_FileName = "sub/Lone.";
  journal_.save = [&](const std::string& file) {
    fs::rename(out_.path() / "sub", out_.path() / "sub-before");
    fs::create_directory_symlink(elsewhere.path(), out_.path() / "sub");
    testing_support::WriteFile(file, "new");
    return true;
  };
  auto run = testing_support::RunOf(project_);
  tavelle::DrawBitmap(*doc, 1, *run);
  EXPECT_EQ(lastRow(),
            "Path outside the output directory  File: " + (out_.path() / "sub/Lone.png").string());
  EXPECT_EQ(run->Failures(), 1);
  EXPECT_TRUE(fs::is_empty(elsewhere.path()));
  for (const auto& entry : fs::directory_iterator(out_.path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".tavelle-")) << entry.path();
}

// A picture that cannot be drawn is a write failure of the run.
TEST_F(ClassDiagramsTest, WithoutAComponentEachPictureFailsAndNoFileAppears) {
  automation::ClassRegistration missing("Brushwell.Pintrel", [] { return nullptr; });
  AddWorkedExample();
  auto run = testing_support::RunOf(project_);
  tavelle::GenerateClassDiagrams(project_, *run);
  EXPECT_EQ(sink_->messages(),
            (std::vector<std::string>{
                "Generating Bitmap for Class: BaseA",
                "The picture could not be drawn  File: " + out_.path().string() + "/BaseA.png",
                "Generating Bitmap for Class: Derived",
                "The picture could not be drawn  File: " + out_.path().string() + "/Derived.png"}));
  EXPECT_EQ(run->Failures(), 2);
  EXPECT_TRUE(std::filesystem::is_empty(out_.path()));
  EXPECT_NE(project_.Classes.Find("Derived")->DiagramHTML, "") << "the page keeps its map";
}

}  // namespace
