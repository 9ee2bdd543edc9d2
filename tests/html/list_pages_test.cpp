#include "engine/html/list_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/message_log.h"
#include "engine/html/auto_link.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;

void AddFunction(Project& project, const std::string& name, const std::string& group,
                 const std::string& shortDescription = "") {
  auto function = std::make_shared<FunctionDoc>();
  function->Name = name;
  function->Group = group;
  function->filename = name + ".html";
  function->ShortDescription = shortDescription;
  project.Functions.AddSorted(function);
}

std::string Row(const std::string& name, const std::string& description) {
  return "  <tr>\r\n<td width=\"35%\"><H3><a href='" + name + ".html'>" + name +
         "</a></H3></td>\r\n<td width=\"50%\"><H3>" + description + "</H3></td>\r\n  </tr>\r\n";
}

std::string Table(const std::string& group, const std::string& rows) {
  return "<center><H2>" + group + "</H2><table border=\"1\" width=\"80%\">\r\n" + rows +
         "</table></center><br><br>";
}

TEST(GroupTables, OneTablePerGroupInGroupOrderWithRowsInNameOrder) {
  Project project;
  AddFunction(project, "Zeta", "B");
  AddFunction(project, "Alpha", "A");
  AddFunction(project, "Beta", "B");
  AddFunction(project, "Loose", "");
  AddFunction(project, "Lower", "b");

  std::vector<SearchWordRef> none;
  std::string html = "start";
  GenerateGroupTables(project.Functions, html, ListResolver(none), *testing_support::RunOf(project));
  EXPECT_EQ(html, "start" + Table("", Row("Loose", "")) + Table("A", Row("Alpha", "")) +
                      Table("B", Row("Beta", "") + Row("Zeta", "")) +
                      Table("b", Row("Lower", "")));

  SortedCollection<GroupName> groups;
  CollectGroups(groups, project.Functions);
  CollectGroups(groups, project.Functions);
  EXPECT_EQ(groups.Count(), 4u);
}

TEST(GroupTables, ShortDescriptionsAreLinkedButNotConverted) {
  Project project;
  AddFunction(project, "Area", "", "Area of a <b>Shape</b>\r\nin units");
  auto shape = std::make_shared<SearchWord>();
  shape->Name = "Shape";
  shape->ReplaceString = "[shape]";
  std::vector<SearchWordRef> words = {shape};
  std::string html;
  GenerateGroupTables(project.Functions, html, ListResolver(words), *testing_support::RunOf(project));
  EXPECT_EQ(html, Table("", Row("Area", "Area of a  <b> [shape] </b> \r\nin units")));
}

TEST(GroupTables, ACancelStopsTheTablesAtOnce) {
  Project project;
  AddFunction(project, "A", "");
  std::vector<SearchWordRef> none;
  std::string html;
  auto run = testing_support::RunOf(project);
  run->RequestCancel(true);
  GenerateGroupTables(project.Functions, html, ListResolver(none), *run);
  EXPECT_EQ(html, "");
}

TEST(ListPages, WriteFramedTablesAndSkipPagesWithoutAFileName) {
  TempDir dir;
  auto sink = std::make_shared<RecordingSink>();
  Project project;
  project.settings.OutputDirectory = dir.path().string();
  project.settings.OutputMsgBox = sink;
  project.settings.FunctionsHTMLFile = "Functions.html";
  project.settings.ClassesHTMLFile = "Classes.html";
  AddFunction(project, "Area", "Math", "Area");
  std::vector<SearchWordRef> none;
  ListResolver words(none);
  const std::string head = "<title>x</title>", tail = "<end>";

  GenerateFunctionsListFile(project, *testing_support::RunOf(project), head, tail, words);
  GenerateClassesListFile(project, *testing_support::RunOf(project), head, tail, words);
  EXPECT_EQ(ReadFile(dir / "Functions.html"),
            "<title>Function List</title><center><H1>Functions</H1></center><br>\r\n" +
                Table("Math", Row("Area", "Area")) + "<end>\r\n");
  EXPECT_EQ(ReadFile(dir / "Classes.html"),
            "<title>Classes List</title><center><H1>Classes</H1></center><br>\r\n<end>\r\n");
  EXPECT_EQ(sink->messages(),
            (std::vector<std::string>{"Created Functions File: " + (dir / "Functions.html"),
                                      "Created Classes File: " + (dir / "Classes.html")}));

  std::filesystem::remove(dir / "Functions.html");
  project.settings.FunctionsHTMLFile = "";
  project.settings.ClassesHTMLFile = "";
  GenerateFunctionsListFile(project, *testing_support::RunOf(project), head, tail, words);
  GenerateClassesListFile(project, *testing_support::RunOf(project), head, tail, words);
  EXPECT_FALSE(std::filesystem::exists(dir / "Functions.html"));
  EXPECT_EQ(sink->messages().size(), 2u);
}

}  // namespace
}  // namespace tavelle
