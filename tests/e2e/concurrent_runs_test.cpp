// Two tavelle-cli runs at the same time, on different projects that share
// one search-word database, must each write exactly the pages they write
// when run alone: neither may link to the other's words or lose its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <map>
#include <string>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using e2e_support::ExpectSameFiles;
using e2e_support::Quoted;
using e2e_support::ReadAllFiles;
using e2e_support::RunCli;
using testing_support::BinaryPath;
using testing_support::CommandResult;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

class ConcurrentRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
    if (!fs::exists(SourcePath("examples/shapes.tvg"))) GTEST_SKIP() << "no example project";
    // A second project whose texts name the example's classes: a run that
    // saw the other project's words would link them.
    fs::path src = work_.path() / "gadgets";
    WriteFile(src / "gadget.h",
              "//DOC_DEFINE_CLASS_START\n//Name: Gadget\n//\\\\\n"
              "//Description: Not a Shape, Circle or Canvas; see Tune.\n//\\\\\n"
              "//DOC_DEFINE_CLASS_END\n"
              "//DOC_DEFINE_FUNCTION_START\n//Name: Tune\n//\\\\\n//Access: Public\n//\\\\\n"
              "//Description: Tunes a Gadget, never a Polygon.\n//\\\\\n"
              "//DOC_DEFINE_FUNCTION_END\n");
    // Without a title of its own, a project would be named after each
    // run's output folder.
    gadgets_ = "-i " + Quoted(src.string()) +
               " -t .h --set CommentString=// --set ProjectTitle=Gadgets --set DefaultHTML=" +
               Quoted(SourcePath("examples/templates/page.html").string());
    shapes_ = Quoted(SourcePath("examples/shapes.tvg").string());
  }

  // Runs `project` into a fresh folder named `name` and returns its files.
  std::map<std::string, std::string> Run(const std::string& project, const std::string& name) {
    fs::path out = work_.path() / name;
    fs::create_directories(out);
    CommandResult run = RunCli(database_, "-q -o " + Quoted(out.string()) + " " + project);
    EXPECT_EQ(run.exit_code, 0) << name << ": " << run.errors;
    return ReadAllFiles(out);
  }

  TempDir work_;
  fs::path database_ = work_.path() / "shared.sqlite";
  std::string gadgets_;
  std::string shapes_;
};

TEST_F(ConcurrentRuns, TwoProjectsSharingTheDatabaseWriteWhatTheyWriteAlone) {
  auto shapesAlone = Run(shapes_, "shapes-alone");
  auto gadgetsAlone = Run(gadgets_, "gadgets-alone");
  ASSERT_FALSE(gadgetsAlone.empty());
  ASSERT_EQ(gadgetsAlone.count("Gadget.html"), 1u);
  EXPECT_EQ(gadgetsAlone["Gadget.html"].find("Shape.html"), std::string::npos)
      << "a run alone linked a word of the other project";

  for (int round = 0; round < 5; ++round) {
    std::string suffix = std::to_string(round);
    auto shapes = std::async(std::launch::async, [&] { return Run(shapes_, "shapes" + suffix); });
    auto gadgets = Run(gadgets_, "gadgets" + suffix);
    SCOPED_TRACE("round " + suffix);
    ExpectSameFiles(shapesAlone, shapes.get());
    ExpectSameFiles(gadgetsAlone, gadgets);
  }
}

}  // namespace
