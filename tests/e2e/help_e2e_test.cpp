// The help outputs of whole runs of tavelle-cli, proven by the tools that
// consume them: chmcmd compiles the help project (and chmls reads the
// result back), and headless Chromium runs the navigation page with the
// generated tree script.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinaryPath;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// What a help project file names: its option values and its page list.
struct HelpProject {
  std::map<std::string, std::string> options;
  std::vector<std::string> pages;
};

HelpProject ReadHelpProject(const fs::path& path) {
  HelpProject project;
  bool inFiles = false;
  for (const std::string& line : Lines(ReadFile(path))) {
    if (line.starts_with("[")) {
      inFiles = line == "[FILES]";
    } else if (inFiles && !line.empty()) {
      project.pages.push_back(line);
    } else if (size_t equals = line.find('='); equals != std::string::npos) {
      project.options[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return project;
}

std::string HtmlAttribute(std::string text) {
  for (size_t at = 0; (at = text.find('"', at)) != std::string::npos; at += 6)
    text.replace(at, 1, "&quot;");
  return text;
}

std::string DecodeAttribute(std::string text) {
  for (auto [entity, character] : {std::pair{"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"},
                                   {"&amp;", "&"}}) {
    for (size_t at = 0; (at = text.find(entity, at)) != std::string::npos; ++at)
      text.replace(at, std::string(entity).size(), character);
  }
  return text;
}

// Compiles the project in `out` with chmcmd and checks, through chmls,
// that the compiled help holds every listed page as a topic of the
// contents, the contents and index files, and an index entry per page.
void ExpectProjectCompiles(const fs::path& out, const std::string& projectFile) {
  HelpProject project = ReadHelpProject(out / projectFile);
  ASSERT_FALSE(project.pages.empty()) << "no pages listed in " << projectFile;
  for (const std::string& page : project.pages) EXPECT_TRUE(fs::exists(out / page)) << page;

  auto compiled = RunCommand("cd " + Quoted(out.string()) + " && chmcmd " + Quoted(projectFile));
  ASSERT_EQ(compiled.exit_code, 0) << compiled.output << compiled.errors;
  std::string chm = (out / project.options["Compiled file"]).string();
  ASSERT_TRUE(fs::exists(chm)) << compiled.output;

  std::string listing = RunCommand("chmls -n list " + Quoted(chm)).output;
  std::string topics = RunCommand("chmls printtopics " + Quoted(chm)).output;
  RunCommand("chmls extractindex " + Quoted(chm) + " " + Quoted((out / "index.txt").string()));
  std::string index = ReadFile(out / "index.txt");
  for (const std::string& page : project.pages) {
    EXPECT_NE(listing.find("/" + page + "\n"), std::string::npos) << page;
    size_t topic = topics.find("Tag value   :" + page + "(");
    ASSERT_NE(topic, std::string::npos) << page << " is no topic";
    EXPECT_EQ(topics.compare(topics.find("contents val:", topic), 14, "contents val:6"), 0)
        << page << " is not in the contents";
    EXPECT_NE(index.find("value=\"" + HtmlAttribute(page) + "\""), std::string::npos)
        << page << " has no index entry";
  }
  EXPECT_NE(listing.find("/" + project.options["Contents file"] + "\n"), std::string::npos);
  EXPECT_NE(listing.find("/" + project.options["Index file"] + "\n"), std::string::npos);
}

struct TreeNode {
  std::string parent, name, url;
};

// Copies the navigation page beside the output, opens it in headless
// Chromium and returns the tree nodes of the page it built, by number.
std::map<std::string, TreeNode> LoadTree(const fs::path& out) {
  for (const auto& entry : fs::directory_iterator(SourcePath("examples/tree")))
    fs::copy_file(entry.path(), out / entry.path().filename(),
                  fs::copy_options::overwrite_existing);
  TempDir profile;
  auto browser = RunCommand(
      "timeout 120 chromium --headless --no-sandbox --disable-gpu --virtual-time-budget=5000"
      " --disable-background-networking --disable-component-update --disable-sync"
      " --no-first-run --user-data-dir=" +
      Quoted(profile.path().string()) + " --dump-dom " +
      Quoted("file://" + (out / "tree.html").string()));
  EXPECT_NE(browser.output.find("id=\"tree\" data-state=\"ready\""), std::string::npos)
      << browser.output.substr(0, 2000);

  std::map<std::string, TreeNode> nodes;
  const std::string& dom = browser.output;
  auto attribute = [&](size_t at, const std::string& name) {
    size_t start = dom.find(" " + name + "=\"", at) + name.size() + 3;
    return DecodeAttribute(dom.substr(start, dom.find('"', start) - start));
  };
  for (size_t at = 0; (at = dom.find("class=\"tree-node", at)) != std::string::npos; ++at)
    nodes[attribute(at, "data-index")] = {attribute(at, "data-parent"),
                                          attribute(at, "data-name"), attribute(at, "data-url")};
  return nodes;
}

// The tree holds one node per listed page, every node below one of the
// three top folders, and every link leads to a file of the output.
void ExpectTreeCoversPages(const std::map<std::string, TreeNode>& nodes, const fs::path& out,
                           const std::vector<std::string>& pages) {
  std::multiset<std::string> linked;
  for (const auto& [number, node] : nodes) {
    if (!node.url.empty()) {
      linked.insert(node.url);
      EXPECT_TRUE(fs::exists(out / node.url)) << node.name << " links to " << node.url;
    }
    std::string top = number;
    while (nodes.count(nodes.at(top).parent)) top = nodes.at(top).parent;
    const std::string& topName = nodes.at(top).name;
    EXPECT_TRUE(topName == "Classes" || topName == "Functions" || topName == "General Info")
        << node.name << " stands below " << topName;
  }
  for (const std::string& page : pages) EXPECT_EQ(linked.count(page), 1u) << page;
}

class HelpOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
    for (const char* tool : {"chmcmd", "chmls", "chromium"})
      if (RunCommand(std::string("command -v ") + tool).exit_code != 0)
        GTEST_SKIP() << tool << " is not installed";
    fs::create_directories(out_);
  }

  // Runs tavelle-cli with the tree script turned on, into `out_`.
  void Run(const std::string& arguments) {
    auto run = RunCommand("TAVELLE_SEARCH_DB=" + Quoted(work_ / "words.sqlite") + " " +
                          Quoted(BinaryPath("tavelle-cli")) + " -q -o " + Quoted(out_.string()) +
                          " --set GenerateJScriptTreeFile=true --set JavaScriptTreeFile=JavaTree.js " +
                          arguments);
    ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;
  }

  TempDir work_;
  fs::path out_ = work_.path() / "out";
};

TEST_F(HelpOutputs, TheShapesExampleCompilesAndItsTreeShowsEveryPage) {
  fs::path config = SourcePath("examples/shapes.tvg");
  if (!fs::exists(config)) GTEST_SKIP() << "the example project is not there yet";
  ASSERT_NO_FATAL_FAILURE(Run(Quoted(config.string())));

  std::string projectFile;
  for (const auto& entry : fs::directory_iterator(out_))
    if (entry.path().extension() == ".hhp") projectFile = entry.path().filename().string();
  ASSERT_FALSE(projectFile.empty()) << "no help project written";
  ExpectProjectCompiles(out_, projectFile);
  ExpectTreeCoversPages(LoadTree(out_), out_, ReadHelpProject(out_ / projectFile).pages);
}

TEST_F(HelpOutputs, QuotesInNamesKeepTheScriptAndTheProjectWorking) {
  fs::path sources = work_.path() / "src";
  WriteFile(sources / "gadget.h",
            "//DOC_DEFINE_CLASS_START\n//Name: Gadget\n//\\\\\n"
            "//Description: A gadget.\n//\\\\\n//DOC_DEFINE_CLASS_END\n"
            "//DOC_DEFINE_CLASS_MEMBER_START\n//Class: Gadget\n//\\\\\n//Name: Resize\n//\\\\\n"
            "//Group: Size\n//\\\\\n//Description: Changes the size.\n//\\\\\n"
            "//DOC_DEFINE_CLASS_MEMBER_END\n"
            "//DOC_DEFINE_FUNCTION_START\n//Name: Quote \"it\"\n//\\\\\n//Access: Public\n//\\\\\n"
            "//Description: Puts a text in quotes.\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n"
            "//DOC_DEFINE_GENERAL_START\n//Name: What's new\n//\\\\\n"
            "//Text: The changes of this release.\n//\\\\\n//DOC_DEFINE_GENERAL_END\n"
            "//DOC_DEFINE_GENERAL_START\n//Name: Overview\n//\\\\\n"
            "//Text: Where to start.\n//\\\\\n//DOC_DEFINE_GENERAL_END\n");
  WriteFile(work_.path() / "page.html",
            "<html><head><title></title></head><body>\n<!--Begin HTML Body-->\n"
            "<!--End HTML Body-->\n</body></html>\n");
  auto templates = [](const std::string& name) {
    return Quoted(SourcePath("examples/templates/" + name).string());
  };
  ASSERT_NO_FATAL_FAILURE(Run(
      "-i " + Quoted(sources.string()) + " -t .h --set CommentString=// --set DefaultHTML=" +
      Quoted((work_.path() / "page.html").string()) +
      " --set ProjFileTemplate=" + templates("project.hhp") +
      " --set ContentFileTemplate=" + templates("contents.hhc") +
      " --set IndexFileTemplate=" + templates("index.hhk") +
      " --set ProjFile=Gadgets.hhp --set ContentFile=Contents.hhc --set IndexFile=Index.hhk"));

  ExpectProjectCompiles(out_, "Gadgets.hhp");
  std::vector<std::string> pages = {"Gadget.html", "Gadget_Resize.html", "Quote \"it\".html",
                                    "Overview.html", "What's new.html"};
  EXPECT_EQ(ReadHelpProject(out_ / "Gadgets.hhp").pages, pages);
  auto nodes = LoadTree(out_);
  ExpectTreeCoversPages(nodes, out_, pages);
  std::set<std::string> names;
  for (const auto& [number, node] : nodes) names.insert(node.name);
  EXPECT_EQ(names, (std::set<std::string>{"Classes", "Gadget", "Size", "Resize", "Functions",
                                          "Quote \"it\"", "General Info", "Overview",
                                          "What's new"}));
}

}  // namespace
