// The engine's folders depend downward only: core, then scan, then the
// output stages (search, html, help, diagram), then the pipeline. An
// include that crosses the layers the wrong way fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "tests/support/test_support.h"

namespace {

// The folders each engine folder may include from, besides itself.
const std::map<std::string, std::set<std::string>> kAllowed = {
    {"core", {}},
    {"scan", {"core"}},
    {"search", {"core", "scan"}},
    {"diagram", {"core", "scan"}},
    {"help", {"core", "scan"}},
    {"html", {"core", "scan", "search"}},
    {"pipeline", {"core", "scan", "search", "diagram", "help", "html"}},
};

TEST(Layering, EngineFoldersIncludeOnlyTheLayersBelowThem) {
  namespace fs = std::filesystem;
  const std::string include = "#include \"engine/";
  fs::path engine = testing_support::SourcePath("engine");
  std::set<std::string> seen;
  for (const auto& entry : fs::recursive_directory_iterator(engine)) {
    if (!entry.is_regular_file()) continue;
    std::string folder = entry.path().parent_path().filename().string();
    if (folder == "engine") continue;
    seen.insert(folder);
    ASSERT_TRUE(kAllowed.count(folder)) << "no layer for engine/" << folder;
    std::ifstream file(entry.path());
    std::string line;
    while (std::getline(file, line)) {
      if (!line.starts_with(include)) continue;
      std::string target = line.substr(include.size(), line.find('/', include.size()) - include.size());
      EXPECT_TRUE(target == folder || kAllowed.at(folder).count(target))
          << entry.path().string() << " includes engine/" << target;
    }
  }
  EXPECT_EQ(seen.size(), kAllowed.size());
}

}  // namespace
