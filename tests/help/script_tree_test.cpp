#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "engine/help/help_files.h"
#include "tests/help/help_test_project.h"

namespace {

using help_testing::HelpTestProject;

std::string NodeLine(const std::string& node, const std::string& parent, const std::string& name,
                     const std::string& url, const std::string& kind) {
  return "    RootNode.AddNode((lIndex+" + node + "), (lIndex+" + parent + "), '" + name +
         "', (strJavaURLPath+'" + url + "'), Closed" + kind + "Image, Open" + kind +
         "Image, ClosedSel" + kind + "Image, OpenSel" + kind + "Image, '" + name +
         "', false, JavaTreeFont, JavaTreeFontSize, JavaTreeFontColor, JavaTreeSelFontColor);"
         "\r\n\r\n";
}

// The text between `open` and the next `close` after `at`; moves `at` past it.
std::string Between(const std::string& text, size_t& at, const std::string& open,
                    const std::string& close) {
  size_t start = text.find(open, at) + open.size();
  at = text.find(close, start);
  return text.substr(start, at - start);
}

// Each node line reduced to "node<parent name url kind".
std::vector<std::string> Nodes(const std::string& script) {
  std::vector<std::string> nodes;
  for (size_t at = 0; (at = script.find("RootNode.AddNode(", at)) != std::string::npos;) {
    std::string node = Between(script, at, "(lIndex+", ")");
    std::string parent = Between(script, at, "(lIndex+", ")");
    std::string name = Between(script, at, "'", "'");
    std::string url = Between(script, at, "(strJavaURLPath+'", "'");
    std::string kind = Between(script, at, "Closed", "Image");
    nodes.push_back(node + "<" + parent + " " + name + " " + url + " " + kind);
  }
  return nodes;
}

TEST(ScriptTree, OneClassGivesTheClassesFolderAndTheClassNode) {
  HelpTestProject test;
  test.project.settings.GenerateJScriptTreeFile = true;
  test.project.settings.JavaScriptTreeFile = "JavaTree.js";
  test.project.settings.ClassesHTMLFile = "";
  test.AddClass("Stack");
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));

  EXPECT_EQ(test.Output("JavaTree.js"),
            "function BuildJavaHelpTree(lIndex)\r\n{\r\n" +
                NodeLine("1", "0", "Classes", "", "Folder") +
                NodeLine("2", "1", "Stack", "Stack.html", "Class") + "}\r\n\r\n");
  EXPECT_TRUE(test.Logged("Generating Javascript Tree View"));
}

// The script is written out in pieces as it is made: a long one must come
// out whole and in order, and a second run must leave the file alone.
TEST(ScriptTree, ALongTreeComesOutWholeAndAnUnchangedOneIsLeftAlone) {
  HelpTestProject test;
  test.project.settings.GenerateJScriptTreeFile = true;
  test.project.settings.JavaScriptTreeFile = "JavaTree.js";
  test.project.settings.ClassesHTMLFile = "Classes.html";
  std::string expected = "function BuildJavaHelpTree(lIndex)\r\n{\r\n" +
                         NodeLine("1", "0", "Classes", "Classes.html", "Folder");
  for (int i = 0; i < 1000; ++i) {
    std::string name = "Class" + std::to_string(10000 + i);
    test.AddClass(name);
    expected += NodeLine(std::to_string(i + 2), "1", name, name + ".html", "Class");
  }
  expected += "}\r\n\r\n";
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));
  ASSERT_GT(expected.size(), 200000u);
  EXPECT_EQ(test.Output("JavaTree.js"), expected);

  auto written = std::filesystem::last_write_time(test.dir / "JavaTree.js");
  std::filesystem::last_write_time(test.dir / "JavaTree.js", written - std::chrono::hours(1));
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));
  EXPECT_EQ(std::filesystem::last_write_time(test.dir / "JavaTree.js"),
            written - std::chrono::hours(1));
  EXPECT_EQ(test.Output("JavaTree.js"), expected);
}

TEST(ScriptTree, NumbersFromTheStartNodeAndGroupsUngroupedFirst) {
  HelpTestProject test;
  auto& settings = test.project.settings;
  settings.GenerateJScriptTreeFile = true;
  settings.JavaScriptTreeFile = "tree.js";
  settings.lStartJavaNode = 100;
  settings.ClassesHTMLFile = "Classes.html";
  tavelle::ClassDoc& shape = test.AddClass("Shape");
  HelpTestProject::AddMember(shape, "Draw", "Paint");
  HelpTestProject::AddMember(shape, "Area");
  test.AddFunction("Zed", "B");
  test.AddFunction("Max", "A");
  test.AddFunction("Beta", "B");
  test.AddFunction("Loose");
  test.AddTopic("Overview");
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));

  EXPECT_EQ(Nodes(test.Output("tree.js")),
            (std::vector<std::string>{
                "101<100 Classes Classes.html Folder",
                "102<101 Shape Shape.html Class",
                "103<102 Area Shape_Area.html Mem",
                "104<102 Paint  Folder",
                "105<104 Draw Shape_Draw.html Mem",
                "106<100 Functions Functions.html Folder",
                "107<106 Loose Loose.html Func",
                "108<106 A  Folder",
                "109<108 Max Max.html Func",
                "110<106 B  Folder",
                "111<110 Beta Beta.html Func",
                "112<110 Zed Zed.html Func",
                "113<100 General Info  Folder",
                "114<113 Overview Overview.html Gen",
            }));
}

TEST(ScriptTree, WritesNothingWhenTurnedOffAndReportsAFailedWrite) {
  HelpTestProject test;
  test.AddTopic("Overview");
  test.project.settings.JavaScriptTreeFile = "JavaTree.js";
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));
  EXPECT_FALSE(test.Exists("JavaTree.js"));
  EXPECT_TRUE(test.sink->messages().empty());

  test.project.settings.GenerateJScriptTreeFile = true;
  test.project.settings.JavaScriptTreeFile = "";
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));
  ASSERT_EQ(test.sink->messages().size(), 2u);
  EXPECT_NE(test.sink->messages()[1].find("  File: "), std::string::npos);
}

TEST(ScriptTree, WritesTheViewerBesideItAndKeepsTheUsersOwnFiles) {
  HelpTestProject test;
  testing_support::TempDir viewer;
  testing_support::WriteFile(viewer / "tree.html", "<title>{Project Title}</title>\n<p>\n");
  testing_support::WriteFile(viewer / "tree.js", "var theme;\n");
  testing_support::WriteFile(test.dir / "nav/tree.js", "var mine;");
  test.AddTopic("Overview");
  test.project.settings.GenerateJScriptTreeFile = true;
  test.project.settings.JavaScriptTreeFile = "nav/JavaTree.js";
  test.project.settings.TreeViewerFolder = viewer.path().string();
  test.project.settings.ProjectTitle = "Shapes & <Co>";
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));
  EXPECT_EQ(test.Output("nav/tree.html"), "<title>Shapes &amp; &lt;Co&gt;</title>\r\n<p>\r\n");
  EXPECT_EQ(test.Output("nav/tree.js"), "var mine;");
  EXPECT_TRUE(test.Exists("nav/JavaTree.js"));

  test.project.settings.TreeViewerFolder = viewer / "missing";
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));
  EXPECT_NE(test.sink->messages().back().find("  File: " + viewer / "missing"), std::string::npos);
}

TEST(ScriptTree, QuotesAndBackslashesCannotEndTheScriptString) {
  HelpTestProject test;
  test.project.settings.GenerateJScriptTreeFile = true;
  test.project.settings.JavaScriptTreeFile = "JavaTree.js";
  test.project.settings.lStartJavaNode = 2147483646;
  test.AddTopic("What's new");
  test.AddTopic("C:\\path");
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));

  std::string script = test.Output("JavaTree.js");
  EXPECT_NE(script.find(NodeLine("-2147483648", "2147483647", "C:\\\\path", "C:\\\\path.html",
                                 "Gen")),
            std::string::npos)
      << script;
  EXPECT_NE(script.find(NodeLine("-2147483647", "2147483647", "What\\'s new",
                                 "What\\'s new.html", "Gen")),
            std::string::npos);
}

}  // namespace
