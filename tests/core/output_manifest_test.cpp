#include "engine/core/output_manifest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/run.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;
using testing_support::WriteFile;

// A manifest only ever removes what it lists and what this run did not
// write again, inside the folder and not through a link; anything else in
// the folder, and a list that is not ours, leaves every file alone.
TEST(OutputManifest, RemovesOnlyListedFilesTheRunNoLongerWrites) {
  TempDir dir;
  std::string out = dir / "out";
  fs::create_directories(out + "/sub");
  fs::create_directories(dir / "elsewhere");
  for (const char* name : {"kept.html", "gone.html", "sub/gone.html", "mine.html"})
    WriteFile(out + "/" + name, "old");
  WriteFile(dir / "outside.html", "outside");
  WriteFile(dir / "elsewhere/x.html", "outside");
  fs::create_directory_symlink(dir / "elsewhere", out + "/linked");
  WriteFile(out + "/.tavelle-manifest",
            "tavelle-manifest 1\nkept.html\ngone.html\nsub/gone.html\nmissing.html\n"
            "../outside.html\nlinked/x.html\n" + dir / "outside.html" + "\n");

  auto sink = std::make_shared<RecordingSink>();
  tavelle::Run run(sink, out, RunClock::System(), false);
  run.Output().Write("kept.html", "new");
  run.Output().Write("./fresh.html", "new");
  EXPECT_EQ(FinishOutput(run), 2);

  EXPECT_EQ(sink->messages(), (std::vector<std::string>{"Removed File: " + out + "/gone.html",
                                                         "Removed File: " + out + "/sub/gone.html"}));
  EXPECT_TRUE(fs::exists(out + "/kept.html"));
  EXPECT_TRUE(fs::exists(out + "/mine.html")) << "a file the user put there stays";
  EXPECT_TRUE(fs::exists(dir / "outside.html"));
  EXPECT_TRUE(fs::exists(dir / "elsewhere/x.html")) << "no removal through a link";
  EXPECT_EQ(ReadFile(out + "/.tavelle-manifest"), "tavelle-manifest 1\nfresh.html\nkept.html\n");
  EXPECT_FALSE(fs::exists(out + "/.tavelle-manifest.tmp"));
  EXPECT_EQ(run.Failures(), 0);

  // A damaged or foreign list is not trusted at all.
  for (const char* foreign : {"tavelle-manifest 2\nkept.html\n", "kept.html\n", ""}) {
    WriteFile(out + "/.tavelle-manifest", foreign);
    tavelle::Run next(sink, out, RunClock::System(), false);
    EXPECT_EQ(FinishOutput(next), 0) << foreign;
    EXPECT_TRUE(fs::exists(out + "/kept.html")) << foreign;
  }
}

}  // namespace
}  // namespace tavelle
