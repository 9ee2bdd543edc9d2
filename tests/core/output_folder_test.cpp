#include "engine/core/output_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/run.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

using testing_support::PumpAtEveryCheck;
using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;
using testing_support::WriteFile;

// Each file is written whole or not at all: a failed write keeps the old
// file, and a failure is reported alone, without the "Created" row.
TEST(OutputFolder, WritesWholeFilesAndAFailureKeepsTheOldOne) {
  TempDir dir;
  std::string out = dir / "out";
  std::filesystem::create_directories(out);
  auto sink = std::make_shared<RecordingSink>();
  tavelle::Run run(sink, out, RunClock::System(), false);
  run.Output().Write("page.html", "one", "Created: ");
  run.Output().Write("page.html", "two");
  EXPECT_EQ(ReadFile(out + "/page.html"), "two\r\n");

  run.Output().Write("no/such/dir/page.html", "x", "Created: ");
  std::filesystem::permissions(out, std::filesystem::perms::owner_read |
                                        std::filesystem::perms::owner_exec);
  bool readOnly = !std::filesystem::exists(out + "/probe") &&
                  !std::ofstream(out + "/probe").good();  // root may write anyway
  run.Output().Write("page.html", "three");
  std::filesystem::permissions(out, std::filesystem::perms::owner_all);
  if (readOnly) {
    EXPECT_EQ(ReadFile(out + "/page.html"), "two\r\n");
  }
  ASSERT_GE(sink->messages().size(), 2u);
  EXPECT_EQ(sink->messages()[0], "Created: " + out + "/page.html");
  EXPECT_EQ(sink->messages()[1], "No such file or directory  File: " + out + "/no/such/dir/page.html");
  for (const auto& entry : std::filesystem::directory_iterator(out))
    EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp")) << entry.path();
}

// A file that already holds its new bytes is not written again, so its
// time stamp stays; it still counts as written by the run.
TEST(OutputFolder, UnchangedFilesAreLeftAlone) {
  TempDir dir;
  std::string out = dir / "out";
  std::filesystem::create_directories(out + "/sub");
  tavelle::Run run(nullptr, out, RunClock::System(), false);
  run.Output().Write("sub/a.html", "same");
  auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(out + "/sub/a.html", old);
  run.Output().Write("sub/./a.html", "same");
  EXPECT_EQ(std::filesystem::last_write_time(out + "/sub/a.html"), old);
  run.Output().Write("sub/a.html", "different");
  EXPECT_NE(std::filesystem::last_write_time(out + "/sub/a.html"), old);
  // Past the first read's worth of bytes, the last one still counts.
  std::string big(100000, 'x');
  run.Output().Write("big.html", big);
  std::filesystem::last_write_time(out + "/big.html", old);
  run.Output().Write("big.html", big);
  EXPECT_EQ(std::filesystem::last_write_time(out + "/big.html"), old);
  big.back() = 'y';
  run.Output().Write("big.html", big);
  EXPECT_EQ(ReadFile(out + "/big.html"), big + "\r\n");
  EXPECT_EQ(run.Output().WrittenNames(), (std::vector<std::string>{"big.html", "sub/a.html"}));
}

// Opening the folder for a run creates it, with a row, and clears what a
// killed run left; a second run into it waits until the first is done.
TEST(OutputFolder, OpeningCreatesTheFolderClearsLeftoversAndWaitsForAnotherRun) {
  TempDir dir;
  std::string out = dir / "new/out";
  auto sink = std::make_shared<RecordingSink>();
  auto first = std::make_unique<tavelle::Run>(sink, out, RunClock::System(), false);
  first->Output().Open(*first);
  EXPECT_TRUE(std::filesystem::is_directory(out));
  WriteFile(out + "/.tavelle-1-0.tmp", "half a page");
  WriteFile(out + "/mine.tmp", "the user's");

  int pumps = 0;
  tavelle::Run second(sink, out, PumpAtEveryCheck([&] {
                        if (++pumps == 2) first.reset();  // the first run ends
                      }),
                      false);
  second.Output().Open(second);
  EXPECT_EQ(sink->messages(),
            (std::vector<std::string>{"Created Output Directory: " + out,
                                      "Waiting for another run to finish writing into " + out}));
  EXPECT_FALSE(std::filesystem::exists(out + "/.tavelle-1-0.tmp"));
  EXPECT_TRUE(std::filesystem::exists(out + "/mine.tmp"));
}

// A link on the way to a file is refused like a path outside the folder,
// and nothing is written where it points.
TEST(OutputFolder, LinksCannotLeadOutOfTheFolder) {
  TempDir dir;
  std::string out = dir / "out";
  std::filesystem::create_directories(out);
  std::filesystem::create_directories(dir / "elsewhere");
  WriteFile(dir / "elsewhere/index.html", "theirs");
  std::filesystem::create_directory_symlink(dir / "elsewhere", out + "/assets");
  auto sink = std::make_shared<RecordingSink>();
  tavelle::Run run(sink, out, RunClock::System(), false);
  run.Output().Write("assets/index.html", "page", "Created: ");
  EXPECT_EQ(ReadFile(dir / "elsewhere/index.html"), "theirs");
  EXPECT_EQ(sink->messages(), std::vector<std::string>{"Path outside the output directory  File: " +
                                                       out + "/assets/index.html"});
  EXPECT_EQ(run.Failures(), 1);
}

TEST(OutputFolder, RefusesNamesThatLeaveTheFolder) {
  TempDir dir;
  std::string out = dir / "site/out";
  std::filesystem::create_directories(out);
  auto sink = std::make_shared<RecordingSink>();
  tavelle::Run run(sink, out, RunClock::System(), false);

  run.Output().Write("../../x.html", "page", "Created: ");
  run.Output().Write(dir / "abs.html", "page");
  ASSERT_EQ(sink->messages().size(), 2u);
  EXPECT_EQ(sink->messages()[0], "Path outside the output directory  File: " + out + "/../../x.html");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.html"));
  EXPECT_FALSE(std::filesystem::exists(dir / "abs.html"));
  EXPECT_EQ(run.Failures(), 2);

  // A name that climbs and comes back down stays inside.
  std::filesystem::create_directories(out + "/sub");
  run.Output().Write("sub/../a.html", "page");
  EXPECT_EQ(ReadFile(out + "/a.html"), "page\r\n");
  EXPECT_EQ(sink->messages().size(), 2u);
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
                                      "Created: " + out + "/old.html", "after"}));
  EXPECT_EQ(ReadFile(out + "/old.html"), "new\r\n");
  EXPECT_EQ(ReadFile(out + "/link.html"), "new\r\n");
  EXPECT_FALSE(std::filesystem::is_symlink(out + "/link.html"));
  EXPECT_EQ(ReadFile(dir / "target.html"), "outside");
}

}  // namespace
}  // namespace tavelle
