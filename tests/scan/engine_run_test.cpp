// Scanning as part of whole runs: through the engine object, through the
// command-line program, and on the example project.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "automation/registry.h"
#include "engine/core/named_lists.h"
#include "engine/scan/file_discovery.h"
#include "tests/scan/scan_test_support.h"

namespace {

namespace fs = std::filesystem;
using automation::ObjectRef;
using automation::Variant;
using scan_testing::LoggedProject;
using testing_support::RecordingSink;
using testing_support::TempDir;
using testing_support::WriteFile;

const char kWorkedExample[] =
    "//DOC_DEFINE_CLASS_START\n"
    "//Name: CShape\n"
    "//\\\\\n"
    "//Base Classes: CObject, CDrawable\n"
    "//\\\\\n"
    "//Description: Base of all shapes.\n"
    "//Keeps its bounding box.\n"
    "//\\\\\n"
    "//DOC_DEFINE_CLASS_END\n"
    "class CShape : public CObject, public CDrawable\n";

size_t CountRows(const std::vector<std::string>& rows, const std::string& row) {
  return static_cast<size_t>(std::count(rows.begin(), rows.end(), row));
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

TEST(EngineRun, TheWorkedExampleThroughTheCommandLine) {
  const std::string cli = testing_support::BinaryPath("tavelle-cli");
  if (!fs::exists(cli)) GTEST_SKIP() << "tavelle-cli is not built";
  TempDir temp;
  WriteFile(temp / "src/shape.h", kWorkedExample);
  // A page template, so that the run has nothing to report as unreadable.
  WriteFile(temp / "page.html", "<!--Begin HTML Body--><!--End HTML Body-->\n");
  fs::create_directories(temp.path() / "out");
  auto run = testing_support::RunCommand(
      "TAVELLE_SEARCH_DB=" + Quoted(temp / "words.sqlite") + " " + Quoted(cli) + " -i " +
      Quoted(temp / "src") + " -t .h --set CommentString=// --set GenerateDiagrams=false" +
      " --set DefaultHTML=" + Quoted(temp / "page.html") + " -o " + Quoted(temp / "out"));
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_NE(run.output.find("\tReading File: " + (temp / "src") + "/shape.h\n"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("\tFound Class: CShape\n"), std::string::npos) << run.output;
  EXPECT_TRUE(fs::exists(temp / "out/CShape.html"));
}

// An engine object made by its class identifier, logging into a recording
// sink, with its search words kept in a temporary database.
class EngineObject : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TAVELLE_SEARCH_DB", (temp_ / "words.sqlite").c_str(), 1);
    engine_ = automation::CreateObject("Corvane.Tavelle");
    ASSERT_NE(engine_, nullptr);
    engine_->Put("OutputMsgBox", Variant(ObjectRef(sink_)));
    fs::create_directories(temp_.path() / "out");
    engine_->Put("OutputDirectory", temp_ / "out");
    engine_->Put("CommentString", "//");
    engine_->Put("GenerateDiagrams", false);
    engine_->Call("AddFileType", {Variant(".h"), Variant(int32_t{0})});
  }
  void TearDown() override { unsetenv("TAVELLE_SEARCH_DB"); }

  TempDir temp_;
  std::shared_ptr<RecordingSink> sink_ = std::make_shared<RecordingSink>();
  ObjectRef engine_;
};

TEST_F(EngineObject, ReadsNestedInputFoldersTwiceAndAddsIndexEntriesOnEveryRun) {
  const std::string outer = temp_ / "src", inner = temp_ / "src/widgets";
  WriteFile(inner + "/widget.h",
            "//DOC_DEFINE_CLASS_START\n//Name: Widget\n//\\\\\n//DOC_DEFINE_CLASS_END\n"
            "//DOC_DEFINE_CLASS_MEMBER_START\n//Class: Widget\n//\\\\\n//Name: Draw\n//\\\\\n"
            "//DOC_DEFINE_CLASS_MEMBER_END\n"
            "//DOC_DEFINE_INDEX_START\n//Name: widget\n//\\\\\n//File: Widget.html\n//\\\\\n"
            "//DOC_DEFINE_INDEX_END\n");
  WriteFile(temp_ / "worked/shape.h", kWorkedExample);
  for (const std::string& folder : {outer, inner, temp_ / "worked"})
    engine_->Call("AddInputFolder", {Variant(folder), Variant(int32_t{0})});

  engine_->Call("ProcessFiles");
  const auto& rows = sink_->messages();
  EXPECT_EQ(CountRows(rows, "Reading File: " + inner + "/widget.h"), 2u);
  // The second copy of the class is dropped, but its member joins the first.
  EXPECT_EQ(CountRows(rows, "Found Class: Widget"), 1u);
  EXPECT_EQ(CountRows(rows, "Found Class Member: Widget::Draw"), 2u);
  EXPECT_EQ(CountRows(rows, "Found Index: widget"), 2u);
  EXPECT_EQ(CountRows(rows, "Found Class: CShape"), 1u);
  EXPECT_EQ(engine_->Call("GetKeyWordCount").AsInt32(), 2);

  engine_->Call("ProcessFiles");
  EXPECT_EQ(engine_->Call("GetKeyWordCount").AsInt32(), 4) << "the key words outlive a run";
  EXPECT_EQ(CountRows(rows, "Found Class: Widget"), 2u);
}

// The example project scanned as its configuration sets it up.
class ShapesExample : public ::testing::Test {
 protected:
  void Scan(const std::string& accessLevel) {
    tavelle::Project& project = logged_.project;
    project.settings.ProcAccessLevel = accessLevel;
    std::string type = ".cpp";
    int32_t position = 0;
    tavelle::AddFileType(project, type, position);
    type = ".h";
    tavelle::AddFileType(project, type, position);
    tavelle::FindSourceFilesRecursive(testing_support::SourcePath("examples/shapes").string(),
                                      project.SourceFiles, project.FileTypes, "//",
                                      *testing_support::RunOf(project));
    std::vector<std::string> texts;
    for (const tavelle::FileInfo& file : project.SourceFiles) texts.push_back(file.FileText);
    scan_testing::ScanTexts(project, texts);
  }

  size_t CountBlocks(const std::string& marker) const {
    size_t count = 0;
    for (const tavelle::FileInfo& file : logged_.project.SourceFiles) {
      for (size_t at = file.FileText.find(marker); at != std::string::npos;
           at = file.FileText.find(marker, at + 1)) {
        ++count;
      }
    }
    return count;
  }

  LoggedProject logged_;
};

TEST_F(ShapesExample, EveryBlockBecomesARecordWithCleanFields) {
  Scan("All Access");
  const tavelle::Project& project = logged_.project;
  std::vector<std::string> classes;
  size_t members = 0;
  std::vector<std::string> fields;
  for (const auto& record : project.Classes) {
    classes.push_back(record->Name);
    members += record->Members.Count();
    fields.insert(fields.end(), {record->Name, record->Description, record->Group});
    for (const auto& member : record->Members) {
      fields.insert(fields.end(), {member->Name, member->Description, member->Definition,
                                   member->Params, member->ReturnVal, member->Group});
    }
  }
  EXPECT_EQ(classes, (std::vector<std::string>{"Canvas", "Circle", "Color", "Drawable", "Point",
                                               "Polygon", "Rectangle", "Shape", "Square"}));
  EXPECT_EQ(members, CountBlocks("DOC_DEFINE_CLASS_MEMBER_START")) << "a member lost its class";
  EXPECT_EQ(project.Functions.Count(), CountBlocks("DOC_DEFINE_FUNCTION_START"));
  EXPECT_EQ(project.GeneralDocs.Count(), 4u);
  EXPECT_EQ(project.KeyWords.Count(), 3u);
  for (const auto& record : project.Functions)
    fields.insert(fields.end(), {record->Name, record->Description, record->Definition});
  for (const auto& record : project.GeneralDocs)
    fields.insert(fields.end(), {record->Name, record->Description, record->filename});
  // List pages show short descriptions, which default to the first line of
  // the description: each should be a whole sentence.
  std::vector<std::string> shortDescriptions;
  for (const auto& record : project.Classes) {
    shortDescriptions.push_back(record->ShortDescription);
    for (const auto& member : record->Members)
      shortDescriptions.push_back(member->ShortDescription);
  }
  for (const auto& record : project.Functions)
    shortDescriptions.push_back(record->ShortDescription);
  for (const std::string& text : shortDescriptions) EXPECT_TRUE(text.ends_with(".")) << text;
  // A missing or misplaced terminator lets a value run into the next field.
  for (const std::string& field : fields) {
    EXPECT_EQ(field.find(":\\"), std::string::npos) << field;
    EXPECT_EQ(field.find("\r\n\\"), std::string::npos) << field;
    EXPECT_FALSE(field.ends_with("\r")) << field;
    EXPECT_EQ(field.find("DOC_DEFINE"), std::string::npos) << field;
  }

  const auto shape = project.Classes.Find("Shape");
  EXPECT_EQ(shape->BaseClasses, (std::vector<std::string>{"Drawable", "NonCopyable"}));
  EXPECT_EQ(project.Classes.Find("Square")->BaseClasses, std::vector<std::string>{"Rectangle"});
  std::vector<std::string> shapeAccess;
  for (const auto& member : shape->Members) shapeAccess.push_back(member->Access);
  for (const char* access : {"Public", "Protected", "Private"})
    EXPECT_NE(std::find(shapeAccess.begin(), shapeAccess.end(), access), shapeAccess.end());
  ASSERT_NE(project.GeneralDocs.Find("Overview"), nullptr);
  EXPECT_EQ(project.GeneralDocs.Find("Overview")->filename, "Overview.html");
}

TEST_F(ShapesExample, PublicOnlyHidesTheInternals) {
  Scan("Public Only");
  const auto& rows = logged_.rows();
  EXPECT_EQ(CountRows(rows, "Found Function: ClampChannel : Invalid Access Level"), 1u);
  EXPECT_EQ(CountRows(rows, "Found Class Member: Shape::Origin : Invalid Accces level"), 1u);
  EXPECT_EQ(CountRows(rows, "Found Class Member: Shape::origin_ : Invalid Accces level"), 1u);
  EXPECT_EQ(CountRows(rows, "Found Class Member: Shape::MoveTo"), 1u);
}

}  // namespace
