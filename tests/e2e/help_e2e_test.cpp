// The help outputs of whole runs of tavelle-cli, proven by the tools that
// consume them: chmcmd compiles the help project (and chmls reads the
// result back), and headless Chromium runs the navigation page with the
// generated tree script.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using e2e_support::ExpectProjectCompiles;
using e2e_support::LoadTree;
using e2e_support::Quoted;
using e2e_support::ReadHelpProject;
using e2e_support::RunCli;
using e2e_support::TreeNode;
using testing_support::BinaryPath;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

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
    auto run = RunCli(work_.path() / "words.sqlite",
                      "-q -o " + Quoted(out_.string()) +
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
