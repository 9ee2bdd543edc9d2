// Builds the Debian package from this build folder with cpack, lists it,
// extracts it into a temporary folder and runs the extracted programs from
// there; lintian must find no error in it.
#include <gtest/gtest.h>

#include "tests/packaging/packaging_support.h"

namespace {

using namespace packaging_support;

TEST(DebianPackage, ExtractedPackageRunsAndLintianFindsNoError) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "a package of a sanitizer build is no package to ship";
#endif
  TempDir temp;
  CommandResult packed = RunCommand("cd " + Quoted(temp.path().string()) + " && '" CPACK_COMMAND
                                    "' -G DEB --config '" TAVELLE_BINARY_DIR "/CPackConfig.cmake'");
  ASSERT_EQ(packed.exit_code, 0) << packed.output << packed.errors;
  std::string deb = (temp.path() / "tavelle_" TAVELLE_VERSION "_amd64.deb").string();
  ASSERT_TRUE(fs::exists(deb)) << packed.output;

  std::string listing = RunCommand("dpkg-deb -c " + Quoted(deb)).output;
  std::vector<std::string> expected = {
      "./usr/bin/tavelle-cli", "./usr/lib/libcorvane.so", "./usr/lib/libtavelle_automation.so",
      "./usr/lib/libstowe.so", "./usr/lib/libpintrel.so", "./usr/lib/cmake/Tavelle/TavelleConfig.cmake",
      "./usr/share/man/man1/tavelle-cli.1.gz", "./usr/share/bash-completion/completions/tavelle-cli",
      "./usr/share/tavelle/examples/shapes.tvg", "./usr/share/doc/tavelle/copyright"};
  bool desktop = fs::exists(BinaryPath("tavelle"));
  if (desktop) {
    expected.insert(expected.end(), {"./usr/bin/tavelle", "./usr/share/man/man1/tavelle.1.gz",
                                     "./usr/share/applications/tavelle.desktop",
                                     "./usr/share/icons/hicolor/scalable/apps/tavelle.svg"});
  }
  if (fs::exists(TAVELLE_BINARY_DIR "/share/tavelle/manual/index.html"))
    expected.push_back("./usr/share/tavelle/manual/index.html");
  for (const std::string& path : expected)
    EXPECT_NE(listing.find(" " + path + "\n"), std::string::npos) << path << "\n" << listing;

  EXPECT_EQ(RunCommand("dpkg-deb -f " + Quoted(deb) + " Version").output, TAVELLE_VERSION "\n");
  // dpkg-shlibdeps found the libraries the programs and components link.
  std::string depends = RunCommand("dpkg-deb -f " + Quoted(deb) + " Depends").output;
  for (const char* package : {"libc6 (", "libstdc++6 (", "libsqlite3-0 (", "libgd3 ("})
    EXPECT_NE(depends.find(package), std::string::npos) << package << " in " << depends;
  if (desktop) {
    EXPECT_NE(depends.find("libqt6widgets6"), std::string::npos) << depends;
  }

  fs::path root = temp.path() / "root";
  ASSERT_EQ(RunCommand("dpkg-deb -x " + Quoted(deb) + " " + Quoted(root.string())).exit_code, 0);
  fs::path cli = root / "usr/bin/tavelle-cli";
  fs::create_directory(temp.path() / "out");
  CommandResult version = RunProgram(cli, "--version", temp.path());
  EXPECT_EQ(version.output, "tavelle-cli " TAVELLE_VERSION "\n") << version.errors;
  CommandResult run =
      RunProgram(cli, "-q " + Quoted((root / "usr/share/tavelle/examples/shapes.tvg").string()) +
                          " -o out", temp.path());
  EXPECT_EQ(run.exit_code, 0) << run.output << run.errors;
  EXPECT_NE(ReadFile(temp.path() / "out/Classes.html").find("Circle"), std::string::npos);

  CommandResult lint = RunCommand("lintian --no-tag-display-limit " + Quoted(deb));
  for (const std::string& line : Lines(lint.output)) EXPECT_FALSE(line.starts_with("E: ")) << line;
  EXPECT_EQ(lint.exit_code, 0) << lint.output << lint.errors;
}

}  // namespace
