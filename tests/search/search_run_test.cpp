// Search words through whole runs: what the table holds at the end, and
// the links the pages get from it.
#include "engine/core/named_lists.h"
#include "engine/pipeline/pipeline.h"
#include "tests/search/search_test_support.h"

namespace {

using search_testing::SearchDatabaseTest;
using testing_support::ReadFile;
using testing_support::WriteFile;

std::string Block(const std::string& kind, const std::vector<std::string>& fields) {
  std::string text = "//DOC_DEFINE_" + kind + "_START\n";
  for (const std::string& field : fields) text += "//" + field + "\n//\\\\\n";
  return text + "//DOC_DEFINE_" + kind + "_END\n";
}

class SearchRunTest : public SearchDatabaseTest {
 protected:
  SearchRunTest() {
    WriteFile(dir_.path() / "src/words.cpp",
              Block("CLASS", {"Name: Queue's", "File: Queue.html", "Description: Call push here."}) +
                  Block("CLASS", {"Name: Stack", "Description: Call push or stack."}) +
                  Block("CLASS_MEMBER", {"Class: Queue's", "Name: Push", "File: Queue_Push.html"}) +
                  Block("CLASS_MEMBER", {"Class: Stack", "Name: Push"}) +
                  Block("FUNCTION", {"Name: Push", "Access: Public", "Description: See push."}) +
                  Block("GENERAL", {"Name: Intro", "Text: About push and stack."}) +
                  Block("INDEX", {"Name: Stack", "File: keys.html", "ReplaceString: <i>Stack</i>"}));
    WriteFile(dir_.path() / "page.html",
              "<html><body>\n<!--Begin HTML Body-->\n<!--End HTML Body-->\n</body></html>\n");
    Settings().OutputDirectory = (dir_ / "out");
    std::filesystem::create_directories(dir_.path() / "out");
    Settings().DefaultHTML = (dir_ / "page.html");
    Settings().CommentString = "//";
    Settings().ProcAccessLevel = "All Access";
    Settings().GenerateDiagrams = false;
    Settings().OutputMsgBox = sink_;
    int32_t index = 0;
    std::string type = ".cpp";
    tavelle::AddInputFolder(project_, dir_ / "src", index);
    tavelle::AddFileType(project_, type, index);
  }

  tavelle::Settings& Settings() { return project_.settings; }
  // The auto-links of a page, as "target:text" separated by blanks.
  std::string LinksIn(const std::string& name) const {
    std::string page = ReadFile(dir_.path() / "out" / name);
    const std::string open = "<a href=\"";
    std::string links;
    for (size_t at = page.find(open); at != std::string::npos; at = page.find(open, at)) {
      size_t target = at + open.size();
      size_t text = page.find("\">", target) + 2;
      at = page.find("</a>", text);
      if (!links.empty()) links += " ";
      links += page.substr(target, text - 2 - target) + ":" + page.substr(text, at - text);
    }
    return links;
  }
  size_t RowsStartingWith(const std::string& prefix) const {
    size_t count = 0;
    for (const auto& row : sink_->messages()) count += row.rfind(prefix, 0) == 0;
    return count;
  }

  tavelle::Project project_;
};

TEST_F(SearchRunTest, TableEndsAsTheLastPageKindLeftItAndPagesPreferTheirOwnWords) {
  tavelle::ProcessFiles(project_, *testing_support::RunOf(project_));

  EXPECT_EQ(RowsStartingWith("Generating SearchWords"), 1u);
  EXPECT_EQ(RowsStartingWith("Error In"), 0u);
  // Ordered for general pages (Class 1, Function 2, General 0, Keyword 3),
  // with the last class paged, Stack, first within its kind.
  EXPECT_EQ(TableRows(),
            std::vector<std::string>({
                "Stack|<i>Stack</i>|keys.html|Keyword||3|1",
                "Queue's|<a href=\"Queue.html\">Queue's</a>|Queue.html|Class|Queue's|1|1",
                "Push|<a href=\"Queue_Push.html\">Push</a>|Queue_Push.html|Class|Queue's|1|1",
                "Stack|<a href=\"Stack.html\">Stack</a>|Stack.html|Class|Stack|1|0",
                "Push|<a href=\"Stack_Push.html\">Push</a>|Stack_Push.html|Class|Stack|1|0",
                "Push|<a href=\"Push.html\">Push</a>|Push.html|Function|Push|2|1",
                "Intro|<a href=\"Intro.html\">Intro</a>|Intro.html|General|Intro|0|1",
            }));

  // Links made from search words are the only anchors with double quotes.
  // The apostrophe in a class name is stored, loaded and linked like any text.
  EXPECT_EQ(LinksIn("Queue.html"), "Queue_Push.html:Push");
  EXPECT_EQ(LinksIn("Stack.html"), "Stack_Push.html:Push Stack.html:Stack");
  EXPECT_EQ(LinksIn("Push.html"), "Push.html:Push");
  // General pages rank classes before functions; Stack's words come first.
  EXPECT_EQ(LinksIn("Intro.html"), "Stack_Push.html:Push Stack.html:Stack");
}

TEST_F(SearchRunTest, WithoutAutoLinkOnlyTheEmptyingStatementRuns) {
  // An unusable database shows every statement a run makes: with AutoLink
  // off there is exactly one, the one that empties the table.
  WriteFile(dir_.path() / "plain", "text");
  setenv("TAVELLE_SEARCH_DB", (dir_ / "plain/words.sqlite").c_str(), 1);
  Settings().AutoLink = false;
  tavelle::ProcessFiles(project_, *testing_support::RunOf(project_));

  EXPECT_EQ(RowsStartingWith("Generating SearchWords"), 0u);
  EXPECT_EQ(RowsStartingWith("Error In"), 1u);
  EXPECT_EQ(LinksIn("Stack.html"), "");
}

TEST_F(SearchRunTest, UnusableDatabaseStillWritesEveryPageUnlinked) {
  WriteFile(dir_.path() / "plain", "text");
  setenv("TAVELLE_SEARCH_DB", (dir_ / "plain/words.sqlite").c_str(), 1);
  tavelle::ProcessFiles(project_, *testing_support::RunOf(project_));

  // Saving, three type orders and the class order each report once.
  EXPECT_EQ(RowsStartingWith("Error In Exec: "), 5u);
  EXPECT_EQ(sink_->messages().back(), "Finished generating HTML files for this project");
  for (const char* page : {"Queue.html", "Stack.html", "Queue_Push.html", "Stack_Push.html",
                           "Push.html", "Intro.html"}) {
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "out" / page)) << page;
  }
  EXPECT_EQ(LinksIn("Stack.html"), "");
}

}  // namespace
