#include "engine/pipeline/html_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/message_log.h"
#include "engine/search/search_store.h"
#include "engine/search/search_words.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;
using testing_support::WriteFile;

std::string Anchor(const std::string& file, const std::string& name) {
  return "<a href=\"" + file + "\">" + name + "</a>";
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A project over a temporary output folder and search-word database, with
// a plain page template.
class DriverTest : public ::testing::Test {
 protected:
  DriverTest() {
    setenv("TAVELLE_SEARCH_DB", (dir / "words.sqlite").c_str(), 1);
    out = dir / "out";
    std::filesystem::create_directories(out);
    WriteFile(dir / "page.html",
              "<html><title>x</title>\n<!--Begin HTML Body-->\n<!--End HTML Body-->\n</html>\n");
    Settings& settings = project.settings;
    settings.OutputDirectory = out;
    settings.DefaultHTML = dir / "page.html";
    settings.OutputMsgBox = sink;
    settings.ClassesHTMLFile = "Classes.html";
    settings.GenerateDiagrams = false;
  }
  ~DriverTest() override { unsetenv("TAVELLE_SEARCH_DB"); }

  std::shared_ptr<ClassDoc> AddClass(const std::string& name, const std::string& description) {
    auto record = std::make_shared<ClassDoc>();
    record->Name = name;
    record->Description = description;
    record->filename = name + ".html";
    project.Classes.AddSorted(record);
    return record;
  }
  void AddMember(ClassDoc& owner, const std::string& name, const std::string& description) {
    auto member = std::make_shared<ClassMemberDoc>();
    member->Name = name;
    member->Description = description;
    member->filename = owner.Name + "_" + name + ".html";
    owner.Members.AddSorted(member);
  }
  void AddFunction(const std::string& name, const std::string& file,
                   const std::string& description) {
    auto function = std::make_shared<FunctionDoc>();
    function->Name = name;
    function->filename = file;
    function->Description = description;
    function->ShortDescription = description;
    project.Functions.AddSorted(function);
  }
  void AddGeneral(const std::string& name, const std::string& text) {
    auto topic = std::make_shared<GeneralDoc>();
    topic->Name = name;
    topic->filename = name + ".html";
    topic->Description = text;
    project.GeneralDocs.AddSorted(topic);
  }
  void AddKeyWord(const std::string& name, const std::string& replace) {
    auto word = std::make_shared<SearchWord>();
    word->Name = name;
    word->ReplaceString = replace;
    word->WordType = "Keyword";
    project.KeyWords.AddSorted(word);
  }

  void Run() {
    run = testing_support::RunOf(project);
    GenerateSearchWords(project, *run);
    GenerateHTMLFiles(project, *run);
  }
  std::string Page(const std::string& name) { return ReadFile(out + "/" + name); }
  bool Logged(const std::string& prefix) const {
    for (const std::string& row : sink->messages())
      if (row.starts_with(prefix)) return true;
    return false;
  }

  TempDir dir;
  std::string out;
  std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
  Project project;
  std::unique_ptr<tavelle::Run> run;
};

TEST_F(DriverTest, EachPageKindPrefersItsOwnWords) {
  // "Gadget" names a class and a function; both Queue and Stack have a Push.
  AddClass("Gadget", "a gadget");
  auto queue = AddClass("Queue", "queue uses push");
  AddMember(*queue, "Push", "push here");
  auto stack = AddClass("Stack", "stack uses push and gadget");
  AddMember(*stack, "Push", "push");
  AddMember(*stack, "Pop", "undoes push");
  AddFunction("gadget", "fn_gadget.html", "gadget and push");
  AddGeneral("Guide", "gadget and push");
  AddKeyWord("stack", "[stack keyword]");
  Run();

  const std::string classGadget = Anchor("Gadget.html", "Gadget");
  const std::string functionGadget = Anchor("fn_gadget.html", "gadget");
  const std::string stackPush = Anchor("Stack_Push.html", "Push");
  EXPECT_TRUE(Contains(Page("Queue.html"), Anchor("Queue_Push.html", "Push") + "</H3>"));
  EXPECT_TRUE(Contains(Page("Stack.html"),
                       Anchor("Stack.html", "Stack") + "&nbsp; uses&nbsp; " + stackPush +
                           "&nbsp; and&nbsp; " + classGadget));
  EXPECT_TRUE(Contains(Page("Stack_Pop.html"), "undoes&nbsp; " + stackPush));
  // Function and general pages keep the last class's words first.
  EXPECT_TRUE(Contains(Page("fn_gadget.html"), functionGadget + "&nbsp; and&nbsp; " + stackPush));
  EXPECT_TRUE(Contains(Page("Guide.html"), classGadget + "&nbsp; and&nbsp; " + stackPush));
  // The list pages link as the general pages do.
  EXPECT_TRUE(Contains(Page("Functions.html"), "<H3>" + classGadget + " and " + stackPush));

  // The table ends as the general pages ordered it, with Stack's words first.
  std::vector<SearchWordRef> stored;
  LoadSearchWords(stored, *testing_support::RunOf(project));
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(stored[0]->WordType, "General");
  EXPECT_EQ(stored[1]->Class, "Stack");
  EXPECT_EQ(stored[1]->ClassOrderID, 0);
  EXPECT_EQ(stored[1]->OrderID, 1);
  EXPECT_EQ(stored.back()->WordType, "Keyword");
}

TEST_F(DriverTest, WritesEveryOutputInOrder) {
  auto shape = AddClass("Shape", "");
  AddMember(*shape, "Draw", "");
  AddFunction("Area", "Area.html", "");
  AddGeneral("Guide", "");
  Run();

  std::vector<std::string> created;
  for (const std::string& row : sink->messages())
    if (row.starts_with("Created") || row.starts_with("Skipping")) created.push_back(row);
  EXPECT_EQ(created, (std::vector<std::string>{
                         "Created Class File: " + out + "/Shape.html",
                         "Created Class Member File: " + out + "/Shape_Draw.html",
                         "Created Function File: " + out + "/Area.html",
                         "Created General File: " + out + "/Guide.html",
                         "Created Functions File: " + out + "/Functions.html",
                         "Created Classes File: " + out + "/Classes.html",
                         "Skipping HTML Help Project File Generation.",
                         "Skipping HTML Help Content File Generation.",
                         "Skipping HTML Help Index File Generation.",
                     }));
  ASSERT_EQ(project.HTMLFiles.size(), 4u);
  EXPECT_EQ(project.HTMLFiles[3].Name, out + "/Guide.html");
  EXPECT_EQ(project.HTMLFiles[3].ID, 4);
  EXPECT_TRUE(Page("Area.html").starts_with("<html><title>Area</title>\r\n<!--Begin HTML Body-->"));
}

TEST_F(DriverTest, ACancelDuringClassPagesEndsTheRun) {
  auto first = AddClass("A", "");
  AddMember(*first, "M", "");
  AddClass("B", "");
  AddFunction("F", "F.html", "");
  AddGeneral("G", "");
  // The search index, started beside the pages, is stopped too.
  project.settings.GenerateSearchIndex = true;
  sink->on_message = [this](const std::string& row) {
    if (row.starts_with("Created Class File: ")) run->RequestCancel(true);
  };
  Run();

  EXPECT_TRUE(std::filesystem::exists(out + "/A.html"));
  for (const char* name : {"A_M.html", "B.html", "F.html", "G.html", "Functions.html",
                           "Classes.html", "tavelle-search.js", "tavelle-search.html"})
    EXPECT_FALSE(std::filesystem::exists(out + "/" + name)) << name;
  EXPECT_FALSE(Logged("Skipping"));
  EXPECT_EQ(project.HTMLFiles.size(), 1u);
}

TEST_F(DriverTest, WithoutAutoLinkNothingIsLinkedAndTheDatabaseIsUntouched) {
  AddClass("Shape", "every shape");
  AddFunction("Area", "Area.html", "shape area");
  // Words that would link if the driver consulted them.
  GenerateSearchWords(project, *testing_support::RunOf(project));
  project.settings.AutoLink = false;
  // Any statement against this database (below a plain file) would fail
  // and be reported.
  setenv("TAVELLE_SEARCH_DB", (dir / "page.html/words.sqlite").c_str(), 1);
  GenerateHTMLFiles(project, *testing_support::RunOf(project));

  EXPECT_FALSE(Logged("Error In"));
  EXPECT_TRUE(Contains(Page("Shape.html"), "every&nbsp; shape</H3>"));
  EXPECT_TRUE(Contains(Page("Area.html"), "shape&nbsp; area</H3>"));
  EXPECT_TRUE(Contains(Page("Functions.html"), "<H3>shape area</H3>"));
}

TEST_F(DriverTest, AnEmptyProjectStillWritesTheListPages) {
  Run();
  EXPECT_TRUE(Contains(Page("Functions.html"), "<center><H1>Functions</H1></center><br>\r\n"));
  EXPECT_TRUE(Contains(Page("Classes.html"), "<title>Classes List</title>"));
  EXPECT_TRUE(project.HTMLFiles.empty());
}

TEST_F(DriverTest, TheProjectTitleFillsEveryTitleMarkerOfTheTemplate) {
  const std::string page =
      "<html><title>{Project Title}</title><b>{Project Title}</b>\n<!--Begin HTML Body-->\n"
      "<!--End HTML Body-->\n<i>{Project Title}</i></html>\n";
  WriteFile(dir / "page.html", page);
  AddClass("Shape", "A shape.");
  Run();
  EXPECT_TRUE(Contains(Page("Shape.html"), "<title>Shape</title><b>{Project Title}</b>"))
      << "without a title the template stays as it is";

  project.settings.ProjectTitle = "Shapes & <Co>";
  Run();
  std::string written = Page("Shape.html");
  EXPECT_TRUE(Contains(written, "<title>Shape</title><b>Shapes &amp; &lt;Co&gt;</b>"));
  EXPECT_TRUE(Contains(written, "<i>Shapes &amp; &lt;Co&gt;</i>"));
  EXPECT_TRUE(Contains(Page("Classes.html"), "<b>Shapes &amp; &lt;Co&gt;</b>"));
}

TEST_F(DriverTest, TheSearchIndexIsWrittenOnlyWhenAsked) {
  AddClass("Gadget", "a gadget");
  AddKeyWord("stack", "[stack keyword]");  // no page: not searchable
  Run();
  EXPECT_FALSE(std::filesystem::exists(out + "/tavelle-search.js"));
  EXPECT_FALSE(std::filesystem::exists(out + "/tavelle-search-67.js"));

  project.settings.GenerateSearchIndex = true;
  Run();
  EXPECT_TRUE(Contains(Page("tavelle-search-67.js"), "[0,\"Gadget\",\"\",\"\",\"\"]"));
  EXPECT_FALSE(std::filesystem::exists(out + "/tavelle-search-73.js"));
  EXPECT_TRUE(Contains(Page("tavelle-search.js"), "window.tavelleSearch"));
  // A template without the box still gets a results page that searches.
  EXPECT_EQ(Page("tavelle-search.html"),
            "<html><title>Search</title>\r\n<!--Begin HTML Body--><h1>Search</h1>\r\n"
            "<div id=\"tavelle-search-results\"></div>\r\n"
            "<script src=\"tavelle-search.js\"></script>\r\n"
            "<!--End HTML Body-->\r\n</html>\r\n\r\n");
}

}  // namespace
}  // namespace tavelle
