// RunFailures: how many read, write or database failures the last run
// reported, counted whether or not a message sink is attached.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "automation/variant.h"
#include "engine/pipeline/tavelle.h"
#include "tests/support/test_support.h"

namespace {

using automation::Variant;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(RunFailures, EachRunCountsItsOwnReadWriteAndDatabaseFailures) {
  TempDir dir;
  setenv("TAVELLE_SEARCH_DB", (dir / "words.sqlite").c_str(), 1);
  std::filesystem::create_directories(dir / "out");
  WriteFile(dir / "src/a.h", "//DOC_DEFINE_FUNCTION_START\n//Name: Run\n//\\\\\n"
                             "//Access: Public\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n");
  tavelle::Tavelle engine;
  engine.Put("OutputDirectory", dir / "out");
  engine.Put("CommentString", std::string("//"));
  engine.Call("AddInputFolder", {dir / "src", int32_t{0}});
  engine.Call("AddFileType", {std::string(".h"), int32_t{0}});
  EXPECT_EQ(engine.Get("RunFailures").AsInt32(), 0);

  // No page template: one read failure.
  engine.Call("ProcessFiles");
  EXPECT_EQ(engine.Get("RunFailures").AsInt32(), 1);

  // The next run starts from zero.
  WriteFile(dir / "page.html", "<html><body>\n</body></html>\n");
  engine.Put("DefaultHTML", dir / "page.html");
  engine.Call("ProcessFiles");
  EXPECT_EQ(engine.Get("RunFailures").AsInt32(), 0);

  // A database that cannot be opened (a folder) fails its statements.
  setenv("TAVELLE_SEARCH_DB", (dir / "src").c_str(), 1);
  engine.Call("ProcessFiles");
  EXPECT_GT(engine.Get("RunFailures").AsInt32(), 0);

  Variant ignored;
  std::vector<Variant> value = {Variant(int32_t{0})};
  EXPECT_FALSE(engine.Invoke("RunFailures", automation::CallKind::kPropertyPut, value, ignored));
  for (const std::string& name : engine.PropertyNames()) EXPECT_NE(name, "RunFailures");
  unsetenv("TAVELLE_SEARCH_DB");
}

}  // namespace
