// The manual pages render with man, and the page of tavelle-cli lists
// every option its --help prints, so options added to the program reach
// the page.
#include <gtest/gtest.h>

#include "tests/packaging/packaging_support.h"

namespace {

using namespace packaging_support;

// The page as man shows it, in plain ASCII on wide lines; empty when man
// failed or complained.
std::string Render(const std::string& page) {
  CommandResult shown = RunCommand("LC_ALL=C MANWIDTH=200 man --warnings -l '" TAVELLE_BINARY_DIR
                                   "/packaging/" + page + "'");
  EXPECT_EQ(shown.exit_code, 0) << page << ": " << shown.errors;
  EXPECT_EQ(shown.errors, "") << page;
  return shown.output;
}

TEST(ManPages, RenderAndListEveryOptionOfHelp) {
  std::string cli = Render("tavelle-cli.1.gz");
  EXPECT_NE(cli.find("tavelle-cli - generate HTML documentation"), std::string::npos) << cli;
  EXPECT_NE(cli.find("tavelle-cli " TAVELLE_VERSION), std::string::npos) << cli;
  EXPECT_NE(cli.find("TAVELLE_SEARCH_DB"), std::string::npos) << cli;

  std::string help = RunCommand(Quoted(BinaryPath("tavelle-cli")) + " --help").output;
  std::set<std::string> options = OptionsOfHelp(help);
  EXPECT_TRUE(options.contains("--set") && options.contains("-o")) << help;
  for (const std::string& option : options)
    EXPECT_NE(cli.find(option), std::string::npos) << option << " is not on the page";

  std::string desktop = Render("tavelle.1.gz");
  EXPECT_NE(desktop.find("tavelle - edit and run"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("tavelle " TAVELLE_VERSION), std::string::npos) << desktop;
}

}  // namespace
