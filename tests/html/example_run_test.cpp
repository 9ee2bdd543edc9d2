// A whole run over the Shapes example: every page it writes links only to
// files that exist.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
// GCC 12 warns of a maybe-uninitialized member inside libstdc++'s regex
// code when building with the sanitizers; the warning is a known false
// positive of that compiler.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#include <string>
#include <vector>

#include "engine/core/config_file.h"
#include "engine/pipeline/pipeline.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::SourcePath;
using testing_support::TempDir;

// The local targets of a page's href and src attributes, without their
// "#fragment"; web addresses and in-page anchors are left out.
std::vector<std::string> LocalTargets(const std::string& page) {
  static const std::regex kAttribute(R"re((?:href|src)\s*=\s*(?:"([^"]*)"|'([^']*)'))re",
                                     std::regex::icase);
  std::vector<std::string> targets;
  for (std::sregex_iterator it(page.begin(), page.end(), kAttribute), end; it != end; ++it) {
    std::string target = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
    target = target.substr(0, target.find('#'));
    if (target.empty() || target.find(':') != std::string::npos) continue;
    targets.push_back(target);
  }
  return targets;
}

// Runs the example's configuration from its own folder, as the programs do.
class ExampleRun : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::path config = SourcePath("examples/shapes.tvg");
    if (!fs::exists(config)) GTEST_SKIP() << "the example project is not there";
    setenv("TAVELLE_SEARCH_DB", (dir / "words.sqlite").c_str(), 1);
    fs::path started = fs::current_path();
    fs::current_path(config.parent_path());
    project.settings.OutputMsgBox = sink;
    OpenConfig(project, config.string());
    project.settings.OutputDirectory = out.string();
    fs::create_directories(out);
    ProcessFiles(project, *testing_support::RunOf(project));
    fs::current_path(started);
    unsetenv("TAVELLE_SEARCH_DB");
  }

  TempDir dir;
  fs::path out = dir.path() / "out";
  std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
  Project project;
};

TEST_F(ExampleRun, EveryLocalLinkOfEveryPageFindsItsTarget) {
  for (const std::string& row : sink->messages()) {
    EXPECT_EQ(row.find("  File: "), std::string::npos) << row;
    EXPECT_EQ(row.find("Error In"), std::string::npos) << row;
  }
  EXPECT_EQ(project.Warnings.Text(), "") << "the example is written without mistakes";
  ASSERT_FALSE(project.Classes.Empty());
  EXPECT_TRUE(fs::exists(out / project.settings.FunctionsHTMLFile));
  EXPECT_TRUE(fs::exists(out / project.settings.ClassesHTMLFile));

  size_t pages = 0, links = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    for (const std::string& target : LocalTargets(ReadFile(entry.path()))) {
      ++links;
      EXPECT_TRUE(fs::exists(entry.path().parent_path() / target))
          << entry.path().filename() << " links to missing " << target;
    }
  }
  EXPECT_EQ(pages, project.HTMLFiles.size() + 2) << "topic pages and the two list pages";
  EXPECT_GT(links, pages);
}

}  // namespace
}  // namespace tavelle
