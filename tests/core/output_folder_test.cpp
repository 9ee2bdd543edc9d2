#include "engine/core/output_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/run.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(WriteTextFile, OverwritesOrAppendsWithACrLfAfterTheText) {
  TempDir dir;
  std::string path = dir / "page.html";
  EXPECT_TRUE(WriteTextFile(path, "one", true).ok());
  WriteTextFile(path, "two", true);
  EXPECT_EQ(ReadFile(path), "two\r\n");
  WriteTextFile(path, "three", false);
  EXPECT_EQ(ReadFile(path), "two\r\nthree\r\n");

  std::string unreachable = dir / "no/such/dir/page.html";
  Status failed = WriteTextFile(unreachable, "x", true);
  ASSERT_EQ(failed.rows().size(), 1u);
  EXPECT_EQ(failed.rows()[0], "No such file or directory  File: " + unreachable);
}

TEST(OutputFolder, RefusesNamesThatLeaveTheFolder) {
  TempDir dir;
  std::string out = dir / "site/out";
  std::filesystem::create_directories(out);
  auto sink = std::make_shared<RecordingSink>();
  tavelle::Run run(sink, out, RunClock::System(), false);

  run.Output().Write("../../x.html", "page", "Created: ");
  run.Output().Write(dir / "abs.html", "page");
  ASSERT_EQ(sink->messages().size(), 3u);
  EXPECT_EQ(sink->messages()[0], "Path outside the output directory  File: " + out + "/../../x.html");
  EXPECT_EQ(sink->messages()[1], "Created: " + out + "/../../x.html")
      << "the page is announced either way";
  EXPECT_FALSE(std::filesystem::exists(dir / "x.html"));
  EXPECT_FALSE(std::filesystem::exists(dir / "abs.html"));
  EXPECT_EQ(run.Failures(), 2);

  // A name that climbs and comes back down stays inside.
  std::filesystem::create_directories(out + "/sub");
  run.Output().Write("sub/../a.html", "page");
  EXPECT_EQ(ReadFile(out + "/a.html"), "page\r\n");
  EXPECT_EQ(sink->messages().size(), 3u);
}

// On the output queue the write happens later, on a worker, but its
// failure row still comes before its own announcement and before any row
// logged afterwards; an existing file, or a link, is replaced.
TEST(OutputFolder, QueuedWritesLogLikeImmediateOnes) {
  TempDir dir;
  std::string out = dir / "out";
  std::filesystem::create_directories(out + "/folder.html");
  WriteFile(out + "/old.html", "old contents that are longer");
  WriteFile(dir / "target.html", "outside");
  std::filesystem::create_symlink(dir / "target.html", out + "/link.html");
  auto sink = std::make_shared<RecordingSink>();
  {
    tavelle::Run run(sink, out);
    run.Output().Write("folder.html", "page", "Created: ");
    run.Output().Write("old.html", "new", "Created: ");
    run.Output().Write("link.html", "new");
    run.Log("after");
  }
  EXPECT_EQ(sink->messages(),
            (std::vector<std::string>{"Is a directory  File: " + out + "/folder.html",
                                      "Created: " + out + "/folder.html",
                                      "Created: " + out + "/old.html", "after"}));
  EXPECT_EQ(ReadFile(out + "/old.html"), "new\r\n");
  EXPECT_EQ(ReadFile(out + "/link.html"), "new\r\n");
  EXPECT_FALSE(std::filesystem::is_symlink(out + "/link.html"));
  EXPECT_EQ(ReadFile(dir / "target.html"), "outside");
}

}  // namespace
}  // namespace tavelle
