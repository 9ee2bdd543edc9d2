#include "engine/html/page_frame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/html_text.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;
using testing_support::WriteFile;

struct Split {
  std::string head, tail;
  std::vector<std::string> rows;
};

Split SplitTemplateText(const TempDir& dir, const std::string& text) {
  auto sink = std::make_shared<RecordingSink>();
  Project project;
  project.settings.DefaultHTML = dir / "page.html";
  project.settings.OutputMsgBox = sink;
  WriteFile(project.settings.DefaultHTML, text);
  Split split;
  SplitHTMLTemplate(project, *testing_support::RunOf(project), split.head, split.tail);
  split.rows = sink->messages();
  return split;
}

TEST(SplitHTMLTemplate, CutsAtTheMarkersAndDropsTheSampleContent) {
  TempDir dir;
  Split one = SplitTemplateText(
      dir, "lead<!--Begin HTML Body-->sample<!--End HTML Body-->trail");
  EXPECT_EQ(one.head, "lead<!--Begin HTML Body-->");
  EXPECT_EQ(one.tail, "<!--End HTML Body-->trail\r\n");

  // Lines ending in LF read as CR LF lines.
  Split lines = SplitTemplateText(
      dir, "<html>\n<!--Begin HTML Body-->\n<p>x</p>\n<!--End HTML Body-->\n</html>\n");
  EXPECT_EQ(lines.head, "<html>\r\n<!--Begin HTML Body-->");
  EXPECT_EQ(lines.tail, "<!--End HTML Body-->\r\n</html>\r\n");

  Split noEnd = SplitTemplateText(dir, "a<!--Begin HTML Body-->b");
  EXPECT_EQ(noEnd.head, "a<!--Begin HTML Body-->");
  EXPECT_EQ(noEnd.tail, "");

  // Without a usable begin marker the whole template frames the page.
  Split noBegin = SplitTemplateText(dir, "a<!--End HTML Body-->b");
  EXPECT_EQ(noBegin.head, "a<!--End HTML Body-->b\r\n");
  EXPECT_EQ(noBegin.tail, "");
  Split reversed = SplitTemplateText(dir, "<!--End HTML Body-->x<!--Begin HTML Body-->");
  EXPECT_EQ(reversed.head, "<!--End HTML Body-->x<!--Begin HTML Body-->\r\n");
  EXPECT_EQ(reversed.tail, "");
  EXPECT_TRUE(reversed.rows.empty());
}

TEST(SplitHTMLTemplate, AMissingTemplateIsReportedAndGivesNoFrame) {
  TempDir dir;
  auto sink = std::make_shared<RecordingSink>();
  Project project;
  project.settings.DefaultHTML = dir / "missing.html";
  project.settings.OutputMsgBox = sink;
  std::string head = "old", tail = "old";
  SplitHTMLTemplate(project, *testing_support::RunOf(project), head, tail);
  EXPECT_EQ(head, "");
  EXPECT_EQ(tail, "");
  ASSERT_EQ(sink->messages().size(), 1u);
  EXPECT_EQ(sink->messages()[0], "No such file or directory  File: " + (dir / "missing.html"));
}

TEST(InsertTitle, ReplacesTheTitleInAnyLetterCase) {
  EXPECT_EQ(InsertTitle("<HEAD><TITLE>Old</TITLE></HEAD>", "Stack::Get"),
            "<HEAD><TITLE>Stack::Get</TITLE></HEAD>");
  EXPECT_EQ(InsertTitle("<title></title>", "a<b>&"), "<title>a<b>&</title>");
  EXPECT_EQ(InsertTitle("<head></head>", "T"), "<head></head>");
  EXPECT_EQ(InsertTitle("<title>open only", "T"), "<title>open only");
  // A closing tag before the opening one is not the title's end.
  EXPECT_EQ(InsertTitle("</title><title>x", "T"), "</title><title>x");
  EXPECT_EQ(InsertTitle("", "T"), "");
}

TEST(AppendTitledHead, AppendsWhatInsertTitleGivesForTheTitleAsHTMLText) {
  for (std::string_view head : {"<HEAD><TITLE>Old</TITLE></HEAD>", "<title></title>",
                                "<head></head>", "<title>open only", "</title><title>x",
                                "<TiTlE>a</tItLe><title>b</title>", ""}) {
    for (std::string_view title : {"Stack::Get", "a<b>&\"", ""}) {
      std::string page = "<!--before-->";
      AppendTitledHead(page, head, title);
      EXPECT_EQ(page, "<!--before-->" + InsertTitle(head, HTMLText(title))) << head << title;
    }
  }
}

TEST(TextToHTML, ConvertsBlanksTabsAndLineBreaksOutsideTags) {
  std::string text = "a b";
  EXPECT_EQ(TextToHTML(text, true), "a&nbsp; b");
  EXPECT_EQ(TextToHTML(text, false), "a&nbsp; b");

  text = "a\r\nb";
  EXPECT_EQ(TextToHTML(text, true), "a<br>\r\nb");
  EXPECT_EQ(text, "a\r\nb");
  EXPECT_EQ(TextToHTML(text, false), "a&nbsp; b");
  EXPECT_EQ(text, "a b") << "the field keeps its flattened form";

  text = "\tx";
  EXPECT_EQ(TextToHTML(text, true), "&nbsp;&nbsp;&nbsp;\tx");
  text = "\tx";
  EXPECT_EQ(TextToHTML(text, false), "&nbsp; x");

  text = "see <a href='x.html'>the x</a> & \"y\"";
  EXPECT_EQ(TextToHTML(text, true),
            "see&nbsp; <a href='x.html'>the&nbsp; x</a>&nbsp; &&nbsp; \"y\"");
  text = "";
  EXPECT_EQ(TextToHTML(text, false), "");
}

TEST(AddHTMLFile, NumbersThePagesFromOneInWritingOrder) {
  std::vector<FileInfo> pages;
  EXPECT_EQ(NextFileID(pages), 1);
  AddHTMLFile(pages, "/out/a.html", "text");
  AddHTMLFile(pages, "/out/b.html", "text");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Name, "/out/a.html");
  EXPECT_EQ(pages[0].ID, 1);
  EXPECT_EQ(pages[1].ID, 2);
  EXPECT_EQ(NextFileID(pages), 3);
}

}  // namespace
}  // namespace tavelle
