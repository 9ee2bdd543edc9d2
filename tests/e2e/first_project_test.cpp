// The manual's page "A first project" run as a user would: every command
// of its code blocks, in order, in one shell in an empty folder. The
// commands are read from the page itself, so the test fails when the page
// and the programs disagree.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

using e2e_support::DecodeAttribute;
using e2e_support::Lines;
using e2e_support::Quoted;
using testing_support::BinaryPath;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

// The lines of every <div class="code"> block of a manual page, as plain
// text: one command per line.
std::vector<std::string> CodeLines(const std::string& page) {
  const std::string open = "<div class=\"code\">";
  std::vector<std::string> commands;
  for (size_t at = 0; (at = page.find(open, at)) != std::string::npos;) {
    at += open.size();
    std::string block = page.substr(at, page.find("</div>", at) - at);
    for (std::string line : Lines(block)) {
      if (line.ends_with("<br>")) line.resize(line.size() - 4);
      for (auto [entity, text] : {std::pair{"&#95;", "_"}, {"&#92;", "\\"}, {"&nbsp;", " "}})
        for (size_t e = 0; (e = line.find(entity, e)) != std::string::npos;)
          line.replace(e, std::string(entity).size(), text);
      line = DecodeAttribute(line);
      if (line.find_first_not_of(' ') != std::string::npos) commands.push_back(line);
    }
  }
  return commands;
}

TEST(FirstProjectPage, EveryCommandOfThePageRuns) {
  std::vector<std::string> commands =
      CodeLines(ReadFile(SourcePath("docs/manual/first_project.txt")));
  ASSERT_FALSE(commands.empty());

  // The programs come from the build; a browser is not started, but the
  // page it is given must exist.
  TempDir home;
  std::string script = "xdg-open() { test -f \"$1\" || { echo \"no page $1\" >&2; exit 1; }; }\n";
  for (const std::string& command : commands) script += command + "\n";
  WriteFile(home.path() / "first_project.sh", script);
  auto result =
      RunCommand("cd " + Quoted(home.path().string()) + " && HOME=" + Quoted(home.path().string()) +
                 " PATH=" + Quoted(BinaryPath("")) +
                 ":\"$PATH\" TAVELLE_SEARCH_DB=" + Quoted((home.path() / "words.sqlite").string()) +
                 " timeout 120 bash -e -x first_project.sh");
  EXPECT_EQ(result.exit_code, 0) << result.errors << result.output;
}

}  // namespace
