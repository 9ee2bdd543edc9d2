#include <gtest/gtest.h>

#include "engine/help/help_files.h"
#include "engine/html/page_frame.h"
#include "tests/help/help_test_project.h"

namespace {

using help_testing::HelpTestProject;
using testing_support::WriteFile;

constexpr char kContentsTemplate[] =
    "<HTML>\n<UL>\n<LI> <OBJECT type=\"text/sitemap\">\n"
    "<param name=\"Name\" value=\"{Tavelle Output}\">\n</OBJECT>\n</UL>\n</HTML>\n";

TEST(ContentsFile, ReplacesThePlaceholderEntryWithTheNestedList) {
  HelpTestProject test;
  auto& settings = test.project.settings;
  settings.ContentFileTemplate = test.dir / "templates/contents.hhc";
  settings.ContentFile = "Contents.hhc";
  WriteFile(settings.ContentFileTemplate, kContentsTemplate);
  tavelle::ClassDoc& shape = test.AddClass("Shape");
  HelpTestProject::AddMember(shape, "Draw", "Paint");
  HelpTestProject::AddMember(shape, "Area");
  test.AddFunction("Max", "Math");
  test.AddTopic("Say \"hi\"");
  tavelle::GenerateHelpContentFile(test.project, *testing_support::RunOf(test.project));

  EXPECT_EQ(test.Output("Contents.hhc"),
            "<HTML>\r\n<UL>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Classes\">\r\n"
            "<param name=\"Local\" value=\"\">\r\n</OBJECT>\r\n<UL>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Shape\">\r\n"
            "<param name=\"Local\" value=\"Shape.html\">\r\n"
            "<param name=\"ImageNumber\" value=\"33\">\r\n</OBJECT>\r\n<UL>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Area\">\r\n"
            "<param name=\"Local\" value=\"Shape_Area.html\">\r\n"
            "<param name=\"ImageNumber\" value=\"35\">\r\n</OBJECT>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Paint\">\r\n"
            "<param name=\"Local\" value=\"\">\r\n</OBJECT>\r\n<UL>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Draw\">\r\n"
            "<param name=\"Local\" value=\"Shape_Draw.html\">\r\n"
            "<param name=\"ImageNumber\" value=\"35\">\r\n</OBJECT>\r\n</UL>\r\n</UL></UL>"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Functions\">\r\n"
            "<param name=\"Local\" value=\"Functions.html\">\r\n</OBJECT>\r\n<UL>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Math\">\r\n"
            "<param name=\"Local\" value=\"\">\r\n</OBJECT>\r\n<UL>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"Max\">\r\n"
            "<param name=\"Local\" value=\"Max.html\">\r\n"
            "<param name=\"ImageNumber\" value=\"35\">\r\n</OBJECT>\r\n</UL>\r\n</UL>"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n"
            "<param name=\"Name\" value=\"General Info\">\r\n"
            "<param name=\"Local\" value=\"\">\r\n</OBJECT>\r\n<UL>\r\n"
            "<LI> <OBJECT type=\"text/sitemap\">\r\n"
            "<param name=\"Name\" value=\"Say &quot;hi&quot;\">\r\n"
            "<param name=\"Local\" value=\"Say &quot;hi&quot;.html\">\r\n"
            "<param name=\"ImageNumber\" value=\"35\">\r\n</OBJECT>\r\n</UL>"
            "\r\n</UL>\r\n</HTML>\r\n\r\n");
  EXPECT_TRUE(test.Logged("Generating HTML Help Content File"));
}

TEST(ContentsFile, AMissingPlaceholderOrSettingWritesNoList) {
  HelpTestProject test;
  auto& settings = test.project.settings;
  settings.ContentFile = "Contents.hhc";
  test.AddTopic("Overview");
  tavelle::GenerateHelpContentFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_TRUE(test.Logged("Skipping HTML Help Content File Generation."));
  EXPECT_FALSE(test.Exists("Contents.hhc"));

  // No marker at all: reported, and the older file stays.
  settings.ContentFileTemplate = test.dir / "plain.hhc";
  WriteFile(settings.ContentFileTemplate, "<UL>\n</UL>\n");
  WriteFile(test.dir / "Contents.hhc", "older");
  tavelle::GenerateHelpContentFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_TRUE(test.Logged("Tavelle Output point not found in the HTML contents file"));
  EXPECT_EQ(test.Output("Contents.hhc"), "older");

  // A marker without its entry's tags: reported, template written as it is.
  WriteFile(settings.ContentFileTemplate, "<p value=\"{Tavelle Output}\">\n");
  tavelle::GenerateHelpContentFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_EQ(test.Output("Contents.hhc"), "<p value=\"{Tavelle Output}\">\r\n\r\n");
  EXPECT_EQ(test.sink->messages().back(),
            "Tavelle Output point not found in the HTML contents file");
}

TEST(IndexFile, OneEntryPerNameWithEveryPageOfThatName) {
  HelpTestProject test;
  auto& settings = test.project.settings;
  settings.IndexFileTemplate = test.dir / "index.hhk";
  settings.IndexFile = "Index.hhk";
  WriteFile(settings.IndexFileTemplate, "<HTML>\n<UL>\n</UL>\n</HTML>\n");
  for (auto [name, file] : {std::pair{"Stack", "Stack.html"}, {"Push", "Stack_Push.html"},
                            {"Queue", "Queue.html"}, {"Push", "Queue_Push.html"},
                            {"A \"quoted\" word", "quoted.html"}}) {
    auto word = std::make_shared<tavelle::SearchWord>();
    word->Name = name;
    word->filename = file;
    test.project.StoredWords.push_back(word);
  }
  tavelle::GenerateHelpIndexFile(test.project, *testing_support::RunOf(test.project));

  auto entry = [](const std::string& pairs) {
    return "<LI> <OBJECT type=\"text/sitemap\">\r\n" + pairs + "</OBJECT>\r\n";
  };
  auto pair = [](const std::string& name, const std::string& local) {
    return "<param name=\"Name\" value=\"" + name + "\">\r\n<param name=\"Local\" value=\"" +
           local + "\">\r\n";
  };
  EXPECT_EQ(test.Output("Index.hhk"),
            "<HTML>\r\n<UL>\r\n" + entry(pair("A &quot;quoted&quot; word", "quoted.html")) +
                entry(pair("Push", "Stack_Push.html") + pair("Push", "Queue_Push.html")) +
                entry(pair("Queue", "Queue.html")) + entry(pair("Stack", "Stack.html")) +
                "</UL>\r\n</HTML>\r\n\r\n");
  EXPECT_TRUE(test.Logged("Generating HTML Help Index File"));

  // Without a list in the template the entries go at its end.
  WriteFile(settings.IndexFileTemplate, "<HTML>\n");
  test.project.StoredWords.resize(1);
  tavelle::GenerateHelpIndexFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_EQ(test.Output("Index.hhk"),
            "<HTML>\r\n" + entry(pair("Stack", "Stack.html")) + "\r\n");

  // No stored words (auto-linking off): the template as it is.
  test.project.StoredWords.clear();
  tavelle::GenerateHelpIndexFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_EQ(test.Output("Index.hhk"), "<HTML>\r\n\r\n");
}

TEST(IndexFile, NoFileWithoutATemplate) {
  HelpTestProject test;
  auto& settings = test.project.settings;
  settings.IndexFile = "Index.hhk";
  tavelle::GenerateHelpIndexFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_TRUE(test.Logged("Skipping HTML Help Index File Generation."));

  settings.IndexFileTemplate = test.dir / "missing.hhk";
  tavelle::GenerateHelpIndexFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_TRUE(test.sink->messages().back().ends_with("  File: " + settings.IndexFileTemplate));
  EXPECT_FALSE(test.Exists("Index.hhk"));
}

TEST(ProjectFile, ListsThePagesAfterTheFilesLineAndRenamesTheTemplates) {
  HelpTestProject test;
  auto& settings = test.project.settings;
  settings.ProjFileTemplate = test.dir / "templates/project.hhp";
  settings.ContentFileTemplate = "templates/contents.hhc";
  settings.IndexFileTemplate = "index.hhk";
  settings.ProjFile = "Shapes.hhp";
  settings.ContentFile = "Contents.hhc";
  settings.IndexFile = "Index.hhk";
  WriteFile(settings.ProjFileTemplate,
            "[OPTIONS]\nContents file=contents.hhc\nIndex file=index.hhk\n"
            "Title=project.hhp\n[FILES]\n[INFOTYPES]\n");
  for (const char* page : {"Stack.html", "Stack_Push.html", "sub/Overview.html"})
    tavelle::AddHTMLFile(test.project.HTMLFiles,
                         settings.OutputDirectory + "/" + page, "");
  tavelle::GenerateHelpProjectFile(test.project, *testing_support::RunOf(test.project));

  EXPECT_EQ(test.Output("Shapes.hhp"),
            "[OPTIONS]\r\nContents file=Contents.hhc\r\nIndex file=Index.hhk\r\n"
            "Title=Shapes.hhp\r\n[FILES]\r\nStack.html\r\nStack_Push.html\r\n"
            "sub/Overview.html\r\n[INFOTYPES]\r\n\r\n");
  EXPECT_TRUE(test.Logged("Generating HTML Help Project File"));

  // A template without a files section gets one at its end.
  WriteFile(settings.ProjFileTemplate, "[OPTIONS]\n");
  tavelle::GenerateHelpProjectFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_EQ(test.Output("Shapes.hhp"),
            "[OPTIONS]\r\n[FILES]\r\nStack.html\r\nStack_Push.html\r\nsub/Overview.html\r\n"
            "\r\n");

  // An unreadable template gives an empty project file.
  settings.ProjFileTemplate = test.dir / "missing.hhp";
  tavelle::GenerateHelpProjectFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_EQ(test.Output("Shapes.hhp"), "\r\n");
}

TEST(ProjectFile, SkipsWithoutATemplateAndSplitsPathsAtEitherSlash) {
  HelpTestProject test;
  test.project.settings.ProjFile = "Proj.hhp";
  tavelle::GenerateHelpProjectFile(test.project, *testing_support::RunOf(test.project));
  EXPECT_TRUE(test.Logged("Skipping HTML Help Project File Generation."));
  EXPECT_FALSE(test.Exists("Proj.hhp"));

  EXPECT_EQ(tavelle::FileNameOfPath("a/b\\c/proj.hhp"), "proj.hhp");
  EXPECT_EQ(tavelle::FileNameOfPath("C:\\help\\proj.hhp"), "proj.hhp");
  EXPECT_EQ(tavelle::FileNameOfPath("proj.hhp"), "proj.hhp");
  EXPECT_EQ(tavelle::FileNameOfPath("help/"), "");
}

}  // namespace
