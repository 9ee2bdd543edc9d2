// Two runs of the example over the same input, started from different
// working folders, into different output folders and with different
// search-word databases, must write byte-identical files: no dates, no
// addresses, no order that depends on the file system.
#include <gtest/gtest.h>

#include <filesystem>
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

TEST(ReproducibleOutput, TheExampleRunTwiceGivesTheSameBytes) {
  if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
  fs::path config = SourcePath("examples/shapes.tvg");
  if (!fs::exists(config)) GTEST_SKIP() << "no example project";

  TempDir first, second;
  fs::create_directories(first.path() / "start");
  fs::create_directories(second.path() / "a" / "b" / "start");
  auto run = [&](const TempDir& work, const fs::path& start) {
    fs::path out = work.path() / "docs";
    fs::create_directories(out);
    CommandResult result =
        RunCli(work.path() / "words.sqlite",
               "-q -o " + Quoted(out.string()) + " --set GenerateJScriptTreeFile=true " +
                   Quoted(config.string()),
               start);
    EXPECT_EQ(result.exit_code, 0) << result.output << result.errors;
    return ReadAllFiles(out);
  };
  auto firstFiles = run(first, first.path() / "start");
  auto secondFiles = run(second, second.path() / "a" / "b" / "start");
  ASSERT_GT(firstFiles.size(), 10u);
  EXPECT_TRUE(firstFiles.contains("tavelle-search-73.js")) << "the search index is compared too";
  ExpectSameFiles(firstFiles, secondFiles);
}

}  // namespace
