#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/core/core_test_util.h"
#include "tests/support/test_support.h"

namespace {

using automation::ObjectRef;
using automation::Variant;
using testing_support::RecordingSink;
using testing_support::TempDir;

// `wanted` appears in `messages` in this order (other rows may come between).
bool InOrder(const std::vector<std::string>& messages, const std::vector<std::string>& wanted) {
  size_t next = 0;
  for (const std::string& message : messages)
    if (next < wanted.size() && message == wanted[next]) ++next;
  return next == wanted.size();
}

class Pipeline : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TAVELLE_SEARCH_DB", (dir_ / "words.sqlite").c_str(), 1);
    engine_.Put("OutputDirectory", output_);
    engine_.Put("OutputMsgBox", ObjectRef(sink_));
    std::filesystem::create_directories(output_);
  }

  const std::vector<std::string>& Run() {
    engine_.Call("ProcessFiles");
    return sink_->messages();
  }

  TempDir dir_;
  std::string output_ = dir_ / "out";
  tavelle::Tavelle engine_;
  std::shared_ptr<RecordingSink> sink_ = std::make_shared<RecordingSink>();
};

TEST_F(Pipeline, WithoutInputFoldersEveryPassStillRunsInOrder) {
  engine_.Put("Cancel", true);  // reset by the run itself
  EXPECT_EQ(engine_.Call("ProcessFiles"), Variant(false));
  const std::vector<std::string>& log = sink_->messages();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "Starting Documentation");
  EXPECT_EQ(log.back(), "Finished generating HTML files for this project");
  EXPECT_TRUE(InOrder(log, {"Starting Documentation", "Finding Classes", "Finding Class Members",
                            "Finding Functions", "Finding General Definitions",
                            "Finding Index Definitions", "Generating HTML Files in Dir: " + output_,
                            "Finished generating HTML files for this project"}));
  EXPECT_EQ(log[1], "Finding Classes") << "no discovery rows without folders";
  EXPECT_EQ(engine_.Get("Cancel"), Variant(false));
}

TEST_F(Pipeline, FoldersAreSearchedInNameOrder) {
  std::string first = dir_ / "a_src", second = dir_ / "b_src";
  std::filesystem::create_directories(first);
  std::filesystem::create_directories(second);
  for (const std::string& folder : {second, first}) {
    std::vector<Variant> args = {folder, int32_t{0}};
    core_test::CallByRef(engine_, "AddInputFolder", args);
  }
  EXPECT_TRUE(InOrder(Run(), {"Starting Documentation", "Finding files reccursively in Dir: " + first,
                              "Finding files reccursively in Dir: " + second, "Finding Classes"}));

  engine_.Put("SearchRecursive", false);
  size_t before = sink_->messages().size();
  const std::vector<std::string>& log = Run();
  std::vector<std::string> second_run(log.begin() + static_cast<std::ptrdiff_t>(before), log.end());
  EXPECT_TRUE(InOrder(second_run, {"Finding files in Dir: " + first,
                                   "Finding files in Dir: " + second, "Finding Classes"}));
}

TEST_F(Pipeline, ACancelWhilePagesAreWrittenStillEndsWithTheFinishedRow) {
  sink_->on_message = [&](const std::string& message) {
    if (message.starts_with("Generating HTML Files in Dir: ")) engine_.Put("Cancel", true);
  };
  const std::vector<std::string>& log = Run();
  EXPECT_EQ(log.back(), "Finished generating HTML files for this project");
  EXPECT_EQ(engine_.Get("Cancel"), Variant(true));
}

TEST_F(Pipeline, ACancelBeforeTheFirstCheckEndsTheRunSilently) {
  sink_->on_message = [&](const std::string& message) {
    if (message == "Starting Documentation") engine_.Put("Cancel", true);
  };
  EXPECT_EQ(Run(), std::vector<std::string>{"Starting Documentation"});
  EXPECT_EQ(engine_.Get("Cancel"), Variant(true));
  engine_.Put("Cancel", false);
}

TEST_F(Pipeline, ARunWithoutAMessageSinkEndsNormally) {
  tavelle::Tavelle quiet;
  quiet.Put("OutputDirectory", output_);
  EXPECT_EQ(quiet.Call("ProcessFiles"), Variant(false));
  EXPECT_EQ(quiet.Get("Cancel"), Variant(false));
}

}  // namespace
