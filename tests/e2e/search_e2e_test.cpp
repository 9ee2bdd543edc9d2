// The search box of the example's pages, typed into in headless Chromium
// from file://, and the results page.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using e2e_support::DecodeAttribute;
using e2e_support::Lines;
using e2e_support::Quoted;
using e2e_support::RunCli;
using testing_support::BinaryPath;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

const char kChromium[] = "/usr/bin/chromium";

// A function whose name would be markup if it were shown as HTML.
const char kHostileSource[] =
    "//DOC_DEFINE_FUNCTION_START\n"
    "//Name: Oops<img src=x onerror=\"document.title='owned'\">\\\"\xC3\xA9t\xC3\xA9\n"
    "//\\\\\n"
    "//File: oops.html\n"
    "//\\\\\n"
    "//Access: Public\n"
    "//\\\\\n"
    "//Description: Breaks <b>nothing</b>.\n"
    "//\\\\\n"
    "//DOC_DEFINE_FUNCTION_END\n";

class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
    if (!fs::exists(kChromium)) GTEST_SKIP() << "no " << kChromium;
    fs::copy(SourcePath("examples"), dir_.path() / "examples", fs::copy_options::recursive);
    WriteFile(dir_.path() / "examples/shapes/oops.h", kHostileSource);
    // The example's template with the search box in its header bar and
    // the probe at the end of the body.
    fs::path page = dir_.path() / "examples/templates/page.html";
    std::string html = ReadFile(page);
    html.replace(html.find("  <nav>"), 0,
                 "  <div id=\"tavelle-search\"></div>\n"
                 "  <script src=\"tavelle-search.js\"></script>\n");
    html.replace(html.find("</body>"), 0, "<script src=\"search-probe.js\"></script>\n");
    WriteFile(page, html);
    fs::create_directories(out_);
    auto result = RunCli(dir_.path() / "words.sqlite",
                         "-q -o " + Quoted(out_.string()) + " " +
                             Quoted((dir_.path() / "examples/shapes.tvg").string()));
    ASSERT_EQ(result.exit_code, 0) << result.output << result.errors;
    fs::copy_file(SourcePath("tests/support/search_probe.js"), out_ / "search-probe.js");
  }

  // The page's DOM once its scripts have run, with `fragment` in its address.
  std::string Open(const std::string& page, const std::string& fragment) {
    auto browser = RunCommand(
        "timeout 60 " + std::string(kChromium) +
        " --headless --no-sandbox --disable-gpu --virtual-time-budget=10000"
        " --disable-background-networking --disable-component-update --disable-sync"
        " --no-first-run --user-data-dir=" +
        Quoted(dir_ / "profile") + " --dump-dom " +
        Quoted("file://" + (out_ / page).string() + "#" + fragment));
    return browser.output;
  }

  TempDir dir_;
  fs::path out_ = dir_.path() / "out";
};

// The probe's report as lines, the results of each query gathered.
struct Typed {
  std::vector<std::string> results;
  std::string files;
  std::string images;
};

std::map<std::string, Typed> ReadReport(const std::string& dom, std::vector<std::string>& rest) {
  size_t start = dom.find("<pre id=\"probe\">");
  EXPECT_NE(start, std::string::npos) << dom.substr(0, 3000);
  std::map<std::string, Typed> typed;
  if (start == std::string::npos) return typed;
  start += 16;
  std::string report = DecodeAttribute(dom.substr(start, dom.find("</pre>", start) - start));
  std::string query;
  for (const std::string& line : Lines(report)) {
    std::vector<std::string> fields;
    for (size_t at = 0;;) {
      size_t tab = line.find('\t', at);
      fields.push_back(line.substr(at, tab - at));
      if (tab == std::string::npos) break;
      at = tab + 1;
    }
    if (fields[0] == "query") {
      query = fields[1];
      typed[query].files = fields[3];
    } else if (fields[0] == "result") {
      typed[query].results.push_back(line.substr(7));
    } else if (fields[0] == "images") {
      typed[query].images = fields[1];
    } else {
      rest.push_back(line);
    }
  }
  return typed;
}

TEST_F(Search, TypingListsRankedResultsAsTextAndTheKeysNavigate) {
  std::string dom = Open("Circle.html", "probe=circ|area|Shape::|shape:|shape::ar|oops");
  std::vector<std::string> rest;
  auto typed = ReadReport(dom, rest);
  ASSERT_EQ(typed.size(), 6u) << dom.substr(0, 3000);

  ASSERT_FALSE(typed["circ"].results.empty());
  EXPECT_EQ(typed["circ"].results[0],
            "kind=Class\tname=Circle\tshort=A circle, placed by its center and sized by its "
            "radius.");

  const std::vector<std::string> area = typed["area"].results;
  ASSERT_GE(area.size(), 6u);
  EXPECT_TRUE(area[0].starts_with("kind=Function\tname=Area\t")) << area[0];
  for (size_t i = 1; i <= 4; ++i)
    EXPECT_TRUE(area[i].starts_with("kind=Member\tname=Area\tclass=")) << area[i];
  EXPECT_NE(area[4].find("class=Shape\t"), std::string::npos) << "members by class: " << area[4];
  EXPECT_TRUE(area[5].starts_with("kind=Function\tname=TotalArea")) << "a word start after them";

  const std::vector<std::string> members = typed["Shape::"].results;
  ASSERT_FALSE(members.empty());
  for (const std::string& row : members)
    EXPECT_TRUE(row.starts_with("kind=Member\t") && row.find("\tclass=Shape") != std::string::npos)
        << row;

  EXPECT_EQ(typed["shape:"].results, members) << "on the way to \"::\"";
  EXPECT_EQ(typed["shape::ar"].results,
            std::vector<std::string>{
                "kind=Member\tname=Area\tclass=Shape\tshort=Measures the surface the shape covers."});

  ASSERT_EQ(typed["oops"].results.size(), 1u);
  EXPECT_EQ(typed["oops"].results[0],
            "kind=Function\tname=Oops<img src=x onerror=\"document.title='owned'\">\\\"\xC3\xA9t"
            "\xC3\xA9\tshort=Breaks <b>nothing</b>.");
  EXPECT_EQ(typed["oops"].images, "0");
  EXPECT_NE(dom.find("<title>Circle</title>"), std::string::npos) << "no script ran from a name";

  // One letter of a small index needs one shard; "Shape::" reuses "s".
  EXPECT_EQ(typed["circ"].files, "tavelle-search-63.js");
  EXPECT_EQ(rest, (std::vector<std::string>{"focused\ttrue", "selected\tOops<img src=x "
                                            "onerror=\"document.title='owned'\">\\\"\xC3\xA9t"
                                            "\xC3\xA9", "end"}))
      << "\"/\" focuses the box; the down arrow stops at the last row";
}

TEST_F(Search, TheResultsPageListsEveryMatchOfTheQueryInItsAddress) {
  std::string dom = Open("tavelle-search.html", "q=area");
  EXPECT_NE(dom.find("<title>Search</title>"), std::string::npos);
  EXPECT_NE(dom.find("6 results for \"area\""), std::string::npos) << dom.substr(0, 4000);
  EXPECT_NE(dom.find("<a href=\"file://" + (out_ / "Area.html").string() + "\">"),
            std::string::npos);
  EXPECT_NE(dom.find("<span class=\"tavelle-search-class\">Rectangle</span>"), std::string::npos);
}

}  // namespace
