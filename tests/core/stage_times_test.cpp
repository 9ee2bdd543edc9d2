#include "engine/core/stage_times.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/pipeline/tavelle.h"
#include "tests/support/test_support.h"

namespace {

using automation::Variant;
using testing_support::TempDir;

// The stage names of StageTimes text, checking each line's form on the way.
std::vector<std::string> StageNames(const std::string& text) {
  std::vector<std::string> names;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    size_t tab = line.find('\t');
    EXPECT_NE(tab, std::string::npos) << line;
    if (tab == std::string::npos) continue;
    const std::string seconds = line.substr(0, tab);
    EXPECT_EQ(seconds.size() - seconds.find('.'), 4u) << "three decimals: " << line;
    EXPECT_GE(std::stod(seconds), 0.0) << line;
    names.push_back(line.substr(tab + 1));
  }
  return names;
}

TEST(StageTimes, MarksAreKeptInOrderAndRestartForgetsThem) {
  tavelle::StageTimes times;
  EXPECT_EQ(times.Text(), "");
  times.Restart();
  times.Mark("reading");
  times.Mark("writing");
  EXPECT_EQ(StageNames(times.Text()), (std::vector<std::string>{"reading", "writing"}));
  times.Restart();
  times.Mark("again");
  EXPECT_EQ(StageNames(times.Text()), std::vector<std::string>{"again"});
}

// Clients read the figures by member name; they are no setting, so they
// can be neither written nor saved nor listed with the settings.
TEST(StageTimes, EngineReportsEveryStageOfTheLastRun) {
  TempDir dir;
  setenv("TAVELLE_SEARCH_DB", (dir / "words.sqlite").c_str(), 1);
  std::filesystem::create_directories(dir / "out");
  tavelle::Tavelle engine;
  engine.Put("OutputDirectory", dir / "out");
  EXPECT_EQ(engine.Get("StageTimes"), Variant(std::string()));

  engine.Call("ProcessFiles");
  EXPECT_EQ(StageNames(engine.Get("StageTimes").AsText()),
            (std::vector<std::string>{
                "Checking the previous run", "Reading the output cache",
                "Discovery and reading", "Finding Classes", "Finding Class Members",
                "Finding Functions", "Finding General Definitions", "Finding Index Definitions",
                "Authoring checks", "Search words", "Diagrams", "Class and member pages", "Function pages",
                "General pages", "List pages", "Help project file", "Help contents file",
                "Help index file", "Script tree", "Finishing background output",
                "Removing stale files, saving the cache", "Saving the run memo"}));

  Variant ignored;
  std::vector<Variant> value = {Variant(std::string("1"))};
  EXPECT_FALSE(engine.Invoke("StageTimes", automation::CallKind::kPropertyPut, value, ignored));
  for (const std::string& name : engine.PropertyNames()) EXPECT_NE(name, "StageTimes");
  unsetenv("TAVELLE_SEARCH_DB");
}

}  // namespace
