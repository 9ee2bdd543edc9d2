#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/html/auto_link.h"
#include "engine/html/page_context.h"
#include "engine/html/topic_pages.h"
#include "engine/scan/records.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;

const std::string kHead = "<html><title>Template</title><body>";
const std::string kTail = "</body></html>";

SearchWordRef Word(const std::string& name, const std::string& file) {
  auto word = std::make_shared<SearchWord>();
  word->Name = name;
  word->ReplaceString = "<a href=\"" + file + "\">" + name + "</a>";
  return word;
}

// A page context over a temporary output folder and a fixed word list.
struct PageFixture {
  TempDir dir;
  std::string outDir = dir / "out";
  std::vector<SearchWordRef> words;
  ListResolver resolver{words};
  std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
  Run run{sink, outDir, RunClock::System(), false};
  std::vector<FileInfo> htmlFiles;
  PageContext context{kHead, kTail, resolver, run, htmlFiles};

  PageFixture() { std::filesystem::create_directories(outDir); }
  std::string Page(const std::string& name) { return ReadFile(outDir + "/" + name); }
};

TEST(TopicPages, AMemberPageShowsEverySectionInOrder) {
  PageFixture f;
  f.words = {Word("Stack", "Stack.html"), Word("Push", "Stack_Push.html")};
  ClassMemberDoc member;
  member.Name = "Push";
  member.filename = "Stack_Push.html";
  member.Definition = "void Push(int value)\r\nconst";
  member.Description = "Adds a value\r\non top of the stack.";
  member.Params = "value\tthe value";
  member.ReturnVal = "nothing";
  member.Access = "Public";
  member.SeeAlso = "Stack";
  member.ExampleFile = "push_example.html";
  GenerateHTML(member, "Stack", f.context);

  const std::string stack = "<a href=\"Stack.html\">Stack</a>";
  EXPECT_EQ(f.Page("Stack_Push.html"),
            "<html><title>Stack::Push</title><body>"
            "<center><H1>Stack::Push</H1></center><br>"
            "<H4>void&nbsp; Push(int&nbsp; value)<br>\r\nconst</H4><br>\r\n"
            "<H2>Access: </H2><br><H3>&nbsp;&nbsp;&nbsp; Public</H3><br>\r\n"
            "<H2>Return Values:</H2><br><H3>nothing</H3><br>\r\n"
            "<H2>Parameters:</H2><br><H3>value&nbsp;&nbsp;&nbsp;\tthe&nbsp; value</H3><br>\r\n"
            "<H2>Remarks:</H2><br><H3>Adds&nbsp; a&nbsp; value&nbsp; on&nbsp; top&nbsp; of&nbsp; "
            "the&nbsp; " + stack + ".</H3><br>\r\n"
            "<br><br>\r\n<H2>See Also: </H2><H3>" + stack + "</H3>\r\n"
            "<br><br><H3><a href=\"push_example.html\">Examples</a></H3>\r\n"
            "</body></html>\r\n");
  EXPECT_EQ(member.Description, "Adds a value on top of the stack.");
  ASSERT_EQ(f.htmlFiles.size(), 1u);
  EXPECT_EQ(f.htmlFiles[0].Name, f.outDir + "/Stack_Push.html");
  EXPECT_EQ(f.sink->messages(),
            std::vector<std::string>{"Created Class Member File: " + f.outDir + "/Stack_Push.html"});
}

TEST(TopicPages, EmptyFieldsLeaveOnlyTheHeading) {
  PageFixture f;
  ClassMemberDoc member;
  member.Name = "Get";
  member.filename = "Get.html";
  GenerateHTML(member, "Stack", f.context);
  EXPECT_EQ(f.Page("Get.html"),
            "<html><title>Stack::Get</title><body>"
            "<center><H1>Stack::Get</H1></center><br><H4></H4><br>\r\n</body></html>\r\n");

  FunctionDoc function;
  function.Name = "Area";
  function.filename = "Area.html";
  function.Definition = "double Area()";
  function.Access = "Private";
  GenerateHTML(function, f.context);
  EXPECT_EQ(f.Page("Area.html"),
            "<html><title>Area</title><body>"
            "<center><H1>Area</H1></center><br><H4>double&nbsp; Area()</H4><br>\r\n"
            "<H2>Access: </H2><br><H3>&nbsp;&nbsp;&nbsp; Private</H3><br>\r\n</body></html>\r\n");
  EXPECT_EQ(f.sink->messages().back(), "Created Function File: " + f.outDir + "/Area.html");
  EXPECT_EQ(f.htmlFiles.back().ID, 2);
}

TEST(TopicPages, AClassPageListsItsMembersThenWritesTheirPages) {
  PageFixture f;
  ClassDoc empty;
  empty.Name = "Empty";
  empty.filename = "Empty.html";
  GenerateHTML(empty, f.context);
  EXPECT_EQ(f.Page("Empty.html"),
            "<html><title>Empty</title><body>"
            "<center><H1>Empty</H1></center><br>\r\n\r\n"
            "<H2>Description</H2><br><H3></H3><br><br>\r\n"
            "<H2>Members</H2><br><br><br>\r\n</body></html>\r\n");

  ClassDoc shape;
  shape.Name = "Shape";
  shape.filename = "Shape.html";
  shape.Description = "A shape.";
  shape.DiagramHTML = "<img src=\"Shape.png\">";
  shape.SeeAlso = "Circle";
  shape.ExampleFile = "ex.html";
  for (const char* name : {"Draw", "Area"}) {
    auto member = std::make_shared<ClassMemberDoc>();
    member->Name = name;
    member->filename = std::string("Shape_") + name + ".html";
    member->ShortDescription = std::string("The ") + name;
    shape.Members.AddSorted(member);
  }
  GenerateHTML(shape, f.context);
  EXPECT_EQ(f.Page("Shape.html"),
            "<html><title>Shape</title><body>"
            "<center><H1>Shape</H1></center><br>\r\n\r\n"
            "<img src=\"Shape.png\">\r\n"
            "<H2>Description</H2><br><H3>A&nbsp; shape.</H3><br><br>\r\n"
            "<H2>Members</H2><br><br><br>\r\n"
            "<center><H2></H2><table border=\"1\" width=\"80%\">\r\n"
            "  <tr>\r\n<td width=\"35%\"><H3><a href='Shape_Area.html'>Area</a></H3></td>\r\n"
            "<td width=\"50%\"><H3>The Area</H3></td>\r\n  </tr>\r\n"
            "  <tr>\r\n<td width=\"35%\"><H3><a href='Shape_Draw.html'>Draw</a></H3></td>\r\n"
            "<td width=\"50%\"><H3>The Draw</H3></td>\r\n  </tr>\r\n"
            "</table></center><br><br>"
            "<br><br>\r\n<H2>See Also: </H2><H3>Circle</H3>\r\n"
            "<br><br><H3><a href=\"ex.html\">Examples</a></H3>\r\n"
            "</body></html>\r\n");
  EXPECT_EQ(f.sink->messages(),
            (std::vector<std::string>{"Created Class File: " + f.outDir + "/Empty.html",
                                      "Created Class File: " + f.outDir + "/Shape.html",
                                      "Created Class Member File: " + f.outDir + "/Shape_Area.html",
                                      "Created Class Member File: " + f.outDir + "/Shape_Draw.html"}));
  EXPECT_EQ(f.Page("Shape_Draw.html").substr(0, 46), "<html><title>Shape::Draw</title><body><center>");
}

TEST(TopicPages, AGeneralPageHasOnlyItsTextAndAFirstLevelSeeAlso) {
  PageFixture f;
  f.words = {Word("Shape", "Shape.html")};
  GeneralDoc topic;
  topic.Name = "Overview";
  topic.filename = "Overview.html";
  topic.Description = "Every shape\r\nis drawn.";
  topic.SeeAlso = "Shape,\r\nCircle";
  GenerateHTML(topic, f.context);
  EXPECT_EQ(f.Page("Overview.html"),
            "<html><title>Overview</title><body>"
            "Every&nbsp; <a href=\"Shape.html\">Shape</a>&nbsp; is&nbsp; drawn.<br>\r\n"
            "<br><br>\r\n<H1>See Also: </H1><H3><a href=\"Shape.html\">Shape</a>, <br> \r\n"
            "Circle</H3>\r\n</body></html>\r\n");
  EXPECT_EQ(f.sink->messages().back(), "Created General File: " + f.outDir + "/Overview.html");
}

TEST(TopicPages, UnwritablePagesAreReportedAndOutsideNamesRefused) {
  PageFixture f;
  GeneralDoc lost;
  lost.Name = "Lost";
  lost.filename = "missing/Lost.html";
  GenerateHTML(lost, f.context);
  GeneralDoc escape;
  escape.Name = "Escape";
  escape.filename = "../x.html";
  GenerateHTML(escape, f.context);

  const std::string lostPath = f.outDir + "/missing/Lost.html";
  const std::string escapePath = f.outDir + "/../x.html";
  EXPECT_EQ(f.sink->messages(),
            (std::vector<std::string>{"No such file or directory  File: " + lostPath,
                                      "Path outside the output directory  File: " + escapePath}))
      << "a page that was not written is not announced";
  EXPECT_FALSE(std::filesystem::exists(f.dir / "x.html"));
  // The refused page is not registered for the help project.
  ASSERT_EQ(f.htmlFiles.size(), 1u);
  EXPECT_EQ(f.htmlFiles[0].Name, lostPath);
}

TEST(TopicPages, ACancelStopsTheMemberPagesOfAClass) {
  PageFixture f;
  ClassDoc shape;
  shape.Name = "Shape";
  shape.filename = "Shape.html";
  for (const char* name : {"A", "B", "C"}) {
    auto member = std::make_shared<ClassMemberDoc>();
    member->Name = name;
    member->filename = std::string(name) + ".html";
    shape.Members.AddSorted(member);
  }
  f.sink->on_message = [&f](const std::string& row) {
    if (row.ends_with("/A.html")) f.run.RequestCancel(true);
  };
  GenerateHTML(shape, f.context);
  EXPECT_TRUE(std::filesystem::exists(f.outDir + "/Shape.html"));
  EXPECT_TRUE(std::filesystem::exists(f.outDir + "/A.html"));
  EXPECT_FALSE(std::filesystem::exists(f.outDir + "/B.html"));
  EXPECT_EQ(f.htmlFiles.size(), 2u);
}

}  // namespace
}  // namespace tavelle
