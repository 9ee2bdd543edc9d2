// The bash completion of tavelle-cli, run as bash runs it on Tab: it
// offers every option of --help, the setting names after --set, folders
// after an option that takes a folder and configuration files otherwise.
#include <gtest/gtest.h>

#include "tests/packaging/packaging_support.h"

namespace {

using namespace packaging_support;

class Completion : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(folder_.path() / "sub");
    WriteFile(folder_.path() / "project.tvg", "");
    WriteFile(folder_.path() / "notes.txt", "");
  }

  // The words bash would offer for the last of `words` (after the program).
  std::set<std::string> Complete(const std::string& words) {
    fs::path script = scratch_.path() / "complete.sh";
    WriteFile(script,
              "source /usr/share/bash-completion/bash_completion\n"
              "source " + Quoted(SourcePath("packaging/tavelle-cli.bash").string()) + "\n"
              "COMP_WORDS=(" + Quoted(BinaryPath("tavelle-cli")) + " " + words + ")\n"
              "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=\"${COMP_WORDS[*]}\"\n"
              "COMP_POINT=${#COMP_LINE}\n"
              "_tavelle_cli tavelle-cli \"${COMP_WORDS[-1]}\" \"${COMP_WORDS[-2]}\" 2>/dev/null\n"
              "printf '%s\\n' \"${COMPREPLY[@]}\"\n");
    CommandResult result = RunCommand("cd " + Quoted(folder_.path().string()) +
                                      " && TAVELLE_SEARCH_DB=" + Quoted(scratch_ / "words.sqlite") +
                                      " bash " + Quoted(script.string()));
    EXPECT_EQ(result.exit_code, 0) << result.errors;
    std::set<std::string> offered;
    for (const std::string& line : Lines(result.output))
      if (!line.empty()) offered.insert(line);
    return offered;
  }

  TempDir folder_;   // the folder completed in
  TempDir scratch_;  // the script and the search-word database
};

TEST_F(Completion, OffersOptionsSettingNamesFoldersAndConfigurations) {
  std::string help = RunCommand(Quoted(BinaryPath("tavelle-cli")) + " --help").output;
  std::set<std::string> options = Complete("-");
  for (const std::string& option : OptionsOfHelp(help))
    EXPECT_TRUE(options.contains(option)) << option;

  EXPECT_EQ(Complete("--set Output"), (std::set<std::string>{"OutputDirectory=", "OutputMsgBox="}));
  EXPECT_TRUE(Complete("--set ''").contains("GenerateDiagrams="));
  EXPECT_EQ(Complete("-o ''"), std::set<std::string>{"sub"});
  EXPECT_EQ(Complete("-q ''"), (std::set<std::string>{"project.tvg", "sub"}));
  EXPECT_EQ(Complete("--save ''"), (std::set<std::string>{"notes.txt", "project.tvg", "sub"}));
  EXPECT_EQ(Complete("-t ''"), std::set<std::string>{});
}

}  // namespace
