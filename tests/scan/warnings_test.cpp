// The warnings of whole runs, one test per group of kinds, each read as
// the engine object's Warnings member gives them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "automation/registry.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using automation::ObjectRef;
using automation::Variant;
using testing_support::TempDir;
using testing_support::WriteFile;

class RunWarnings : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TAVELLE_SEARCH_DB", (temp_ / "words.sqlite").c_str(), 1);
    engine_ = automation::CreateObject("Corvane.Tavelle");
    ASSERT_NE(engine_, nullptr);
    fs::create_directories(temp_.path() / "out");
    fs::create_directories(temp_.path() / "src");
    Configure();
  }
  void TearDown() override { unsetenv("TAVELLE_SEARCH_DB"); }

  // The settings of every test project; OpenConfig resets them.
  void Configure() {
    engine_->Put("OutputDirectory", temp_ / "out");
    engine_->Put("CommentString", "//");
    engine_->Put("GenerateDiagrams", false);
    engine_->Call("AddFileType", {Variant(".h"), Variant(int32_t{0})});
    AddInputFolder(temp_ / "src");
  }
  void AddInputFolder(const std::string& folder) {
    engine_->Call("AddInputFolder", {Variant(folder), Variant(int32_t{0})});
  }

  // Runs the project and returns its warnings.
  std::string Run() {
    engine_->Call("ProcessFiles");
    return engine_->Get("Warnings").AsText();
  }

  // One warning line as the engine gives it.
  static std::string Line(const std::string& path, int line, const std::string& kind,
                          const std::string& message) {
    return path + "\t" + std::to_string(line) + "\t" + kind + "\t" + message + "\n";
  }

  TempDir temp_;
  ObjectRef engine_;
};

TEST_F(RunWarnings, BlocksWithoutTheirEndMarker) {
  const std::string file = temp_ / "src/blocks.h";
  WriteFile(file,
            "//DOC_DEFINE_CLASS_START\n//Name: Shape\n//\\\\\n"
            "class Shape : public Drawable {};\n"  // the code is no field
            "//DOC_DEFINE_CLASS_START\n//Name: Circle\n//\\\\\n//DOC_DEFINE_CLASS_END\n"
            "//DOC_DEFINE_FUNCTION_START\n//Name: Area\n//\\\\\n");
  EXPECT_EQ(Run(), Line(file, 5, "nested-block",
                        "class block 'Circle' starts inside the class block 'Shape' of line 1, "
                        "which has no DOC_DEFINE_CLASS_END before it, so it is swallowed") +
                       Line(file, 9, "missing-end",
                            "function block 'Area' has no DOC_DEFINE_FUNCTION_END after it, so "
                            "it is dropped"));
  EXPECT_EQ(engine_->Get("WarningCount"), Variant(int32_t{2}));
}

TEST_F(RunWarnings, FieldNamesAndAccessLevelsThatAreNotRead) {
  const std::string file = temp_ / "src/fields.h";
  WriteFile(file,
            "//DOC_DEFINE_CLASS_START\n//Name: Shape\n//\\\\\n"  // 1-3
            "//Descripton: A figure.\n//\\\\\n"                  // 4-5
            "//Base Class: Drawable\n//\\\\\n"                   // 6-7
            "//Access: public\n//\\\\\n//DOC_DEFINE_CLASS_END\n"  // 8-10
            "//DOC_DEFINE_GENERAL_START\n//Name: Overview\n//\\\\\n"  // 11-13
            "//Description: A topic's body is its Text.\n//\\\\\n"    // 14-15
            "//DOC_DEFINE_GENERAL_END\n"                               // 16
            "//DOC_DEFINE_FUNCTION_START\n//Name: Area\n//\\\\\n"     // 17-19
            "//Return Value: the area\n//\\\\\n"                       // 20-21
            "//Access: Privat\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n");  // 22-24
  EXPECT_EQ(
      Run(),
      Line(file, 4, "unknown-field",
           "unknown field 'Descripton' in a class block; did you mean 'Description'?") +
          Line(file, 6, "unknown-field",
               "unknown field 'Base Class' in a class block; did you mean 'Base Classes'?") +
          Line(file, 8, "unknown-access",
               "access level 'public' of class 'Shape' is not Public, Protected or Private, so "
               "it is taken as Public; did you mean 'Public'?") +
          Line(file, 14, "unknown-field", "unknown field 'Description' in a general block") +
          Line(file, 20, "unknown-field",
               "unknown field 'Return Value' in a function block; did you mean 'Return Values'?") +
          Line(file, 22, "unknown-access",
               "access level 'Privat' of function 'Area' is not Public, Protected or Private, so "
               "it is taken as Private; did you mean 'Private'?"));
}

TEST_F(RunWarnings, ItemsThatVanishOrOverwriteEachOther) {
  engine_->Put("GenerateDiagrams", true);
  const std::string items = temp_ / "src/items.h", more = temp_ / "src/more.h";
  WriteFile(items,
            "//DOC_DEFINE_CLASS_START\n//Name: Shape\n//\\\\\n"             // 1-3
            "//Base Classes: Drawable, NonCopyable\n//\\\\\n"              // 4-5
            "//DOC_DEFINE_CLASS_END\n"                                     // 6
            "//DOC_DEFINE_CLASS_START\n//Name: Drawable\n//\\\\\n"         // 7-9
            "//DOC_DEFINE_CLASS_END\n"                                     // 10
            "//DOC_DEFINE_CLASS_MEMBER_START\n//Name: Draw\n//\\\\\n"      // 11-13
            "//Class: Shap\n//\\\\\n//DOC_DEFINE_CLASS_MEMBER_END\n"       // 14-16
            "//DOC_DEFINE_FUNCTION_START\n//Name: Area\n//\\\\\n"          // 17-19
            "//File: Shape.html\n//\\\\\n"                                 // 20-21
            "//Access: Public\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n");      // 22-24
  WriteFile(more,
            "//DOC_DEFINE_CLASS_START\n//Name: Shape\n//\\\\\n//DOC_DEFINE_CLASS_END\n"  // 1-4
            "//DOC_DEFINE_CLASS_START\n//Name: Square\n//\\\\\n"                       // 5-7
            "//Base Classes: Shape\n//\\\\\n"                                          // 8-9
            "//File: Shape.htm\n//\\\\\n//DOC_DEFINE_CLASS_END\n");                    // 10-12
  EXPECT_EQ(Run(),
            Line(items, 4, "undocumented-base", "base class 'NonCopyable' of 'Shape' is not documented") +
                Line(items, 14, "unknown-class",
                     "member 'Draw' names the class 'Shap', which is not documented, so it is "
                     "dropped; did you mean 'Shape'?") +
                Line(items, 20, "shared-output",
                     "page 'Shape.html' of function 'Area' is also written for class 'Shape' (" +
                         items + ":1), so one overwrites the other") +
                Line(more, 1, "duplicate",
                     "class 'Shape' is documented again; this block is dropped and the one at " +
                         items + ":1 is kept") +
                Line(more, 10, "shared-output",
                     "diagram picture 'Shape.png' of class 'Square' is also written for class "
                     "'Shape' (" + items + ":1), so one overwrites the other"));

  // Outside base classes are normal in some projects: the kind can be
  // switched off, like any other.
  engine_->Put("DisabledWarnings", "undocumented-base, duplicate");
  std::string warnings = Run();
  EXPECT_EQ(warnings.find("undocumented-base"), std::string::npos) << warnings;
  EXPECT_EQ(warnings.find("duplicate"), std::string::npos) << warnings;
  EXPECT_EQ(engine_->Get("WarningCount"), Variant(int32_t{3}));
}

TEST_F(RunWarnings, SettingsThatFindNothing) {
  // A source file opened as if it were the configuration.
  const std::string notes = temp_ / "notes.h";
  WriteFile(notes, "// Notes, not a configuration.\n");
  engine_->Call("OpenConfig", {Variant(notes)});
  const std::string unknownConfig =
      Line(notes, 0, "unknown-config",
           "the file holds none of the sections of a configuration file (TavellePaths, "
           "TavelleConfig, InputFolders, FileTypes, KeyWords, HelpProjInfo), so every setting "
           "took its default");
  EXPECT_EQ(engine_->Get("Warnings").AsText(), unknownConfig) << "shown before any run";

  Configure();
  engine_->Put("CommentString", "");
  engine_->Put("ProcAccessLevel", "Public Olny");
  engine_->Call("AddFileType", {Variant(".hpp"), Variant(int32_t{0})});
  WriteFile(temp_ / "file.txt", "");
  AddInputFolder(temp_ / "file.txt");
  AddInputFolder(temp_ / "missing");
  const std::string source = temp_ / "src/a.h";
  WriteFile(source, "#pragma once\n//DOC_DEFINE_GENERAL_START\n//Name: A\n//\\\\\n"
                    "//Text: B\n//\\\\\n//DOC_DEFINE_GENERAL_END\n");
  EXPECT_EQ(Run(),
            unknownConfig +
                Line(notes, 0, "unknown-access",
                     "ProcAccessLevel 'Public Olny' is not Public Only, Public, Protected or All "
                     "Access, so no item is filtered; did you mean 'Public Only'?") +
                Line(notes, 0, "missing-input",
                     "input folder '" + (temp_ / "file.txt") + "' is not a folder") +
                Line(notes, 0, "missing-input",
                     "input folder '" + (temp_ / "missing") + "' does not exist") +
                Line(notes, 0, "unmatched-type",
                     "file type '.hpp' matched no file in the input folders") +
                Line(source, 2, "comment-prefix",
                     "every line of this block begins with '//' but CommentString is empty, so "
                     "'//' shows in the pages; set CommentString to '//'"));
}

}  // namespace
