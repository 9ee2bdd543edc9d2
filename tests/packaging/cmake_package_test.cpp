// Installs the build into a temporary prefix and builds the project in
// tests/packaging/consumer against it: find_package(Tavelle) and
// tavelle_add_docs(... ALL) document it as part of its build, again only
// when a documented source changed, and fail the build when the pages
// cannot be written.
#include <gtest/gtest.h>

#include "tests/packaging/packaging_support.h"

namespace {

using namespace packaging_support;

const char kRunComment[] = "Documenting docs with Tavelle";

class CmakePackage : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandResult install = RunCmake("--install " + Quoted(TAVELLE_BINARY_DIR) + " --prefix " +
                                     Quoted(prefix_.path().string()));
    ASSERT_EQ(install.exit_code, 0) << install.output;
    fs::copy(SourcePath("tests/packaging/consumer"), source_.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }

  // Configures the consumer in `build`, writing its pages to `output`.
  CommandResult Configure(const fs::path& build, const fs::path& output,
                          const std::string& options = "") {
    return RunCmake("-S " + Quoted(source_.path().string()) + " -B " + Quoted(build.string()) +
                    " -G " + Quoted(CMAKE_GENERATOR) + " -DCMAKE_PREFIX_PATH=" +
                    Quoted(prefix_.path().string()) + " -DDOCS_OUTPUT=" + Quoted(output.string()) +
                    " " + options);
  }

  TempDir prefix_;
  TempDir source_;
  TempDir work_;
};

TEST_F(CmakePackage, ConsumerBuildWritesThePagesAndRunsAgainOnlyAfterAChange) {
  fs::path build = work_.path() / "build", out = work_.path() / "out";
  CommandResult configured = Configure(build, out);
  ASSERT_EQ(configured.exit_code, 0) << configured.output;
  // The package's version is the one tavelle-cli prints.
  std::string version = RunCommand(Quoted(BinaryPath("tavelle-cli")) + " --version").output;
  EXPECT_EQ(version, "tavelle-cli " TAVELLE_VERSION "\n");
  EXPECT_NE(configured.output.find("Found Tavelle " TAVELLE_VERSION), std::string::npos)
      << configured.output;

  CommandResult first = RunCmake("--build " + Quoted(build.string()));
  ASSERT_EQ(first.exit_code, 0) << first.output;
  EXPECT_NE(first.output.find(kRunComment), std::string::npos) << first.output;
  // The rows are shown only when the run fails.
  EXPECT_EQ(first.output.find("Finished generating"), std::string::npos) << first.output;
  EXPECT_NE(ReadFile(out / "Shape.html").find("figure"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(out / "Classes.html"));

  CommandResult unchanged = RunCmake("--build " + Quoted(build.string()));
  ASSERT_EQ(unchanged.exit_code, 0) << unchanged.output;
  EXPECT_EQ(unchanged.output.find(kRunComment), std::string::npos) << unchanged.output;

  fs::path source = source_.path() / "src/shape.h";
  fs::last_write_time(source, fs::last_write_time(source) + std::chrono::seconds(2));
  fs::remove(out / "Shape.html");
  CommandResult touched = RunCmake("--build " + Quoted(build.string()));
  ASSERT_EQ(touched.exit_code, 0) << touched.output;
  EXPECT_NE(touched.output.find(kRunComment), std::string::npos) << touched.output;
  EXPECT_TRUE(fs::exists(out / "Shape.html"));

  // A new documented file is found without configuring by hand.
  WriteFile(source_.path() / "src/circle.h",
            "//DOC_DEFINE_CLASS_START\n//Name: Circle\n//\\\\\n//DOC_DEFINE_CLASS_END\n");
  CommandResult added = RunCmake("--build " + Quoted(build.string()));
  ASSERT_EQ(added.exit_code, 0) << added.output;
  EXPECT_TRUE(fs::exists(out / "Circle.html")) << added.output;
}

TEST_F(CmakePackage, PagesThatCannotBeWrittenFailTheBuildAndShowTheRows) {
  fs::path build = work_.path() / "build", blocked = work_.path() / "blocked";
  WriteFile(blocked, "a file where the output folder should be");
  CommandResult configured = Configure(build, blocked);
  ASSERT_EQ(configured.exit_code, 0) << configured.output;

  CommandResult built = RunCmake("--build " + Quoted(build.string()));
  EXPECT_NE(built.exit_code, 0) << built.output;
  EXPECT_NE(built.output.find("exit status 3"), std::string::npos) << built.output;
  EXPECT_NE(built.output.find("  File: "), std::string::npos) << built.output;
}

// WARNINGS_AS_ERRORS hands the program --warnings-as-errors, once it has one.
TEST_F(CmakePackage, WarningsAsErrorsReachesTheProgram) {
  std::string help = RunCommand(Quoted(BinaryPath("tavelle-cli")) + " --help").output;
  if (help.find("--warnings-as-errors") == std::string::npos)
    GTEST_SKIP() << "tavelle-cli has no --warnings-as-errors yet";
  fs::path build = work_.path() / "build";
  CommandResult configured = Configure(build, work_.path() / "out", "-DDOCS_STRICT=ON");
  ASSERT_EQ(configured.exit_code, 0) << configured.output;
  CommandResult built = RunCmake("--build " + Quoted(build.string()) + " --verbose");
  EXPECT_EQ(built.exit_code, 0) << built.output;
  EXPECT_NE(built.output.find(" --warnings-as-errors"), std::string::npos) << built.output;
}

}  // namespace
