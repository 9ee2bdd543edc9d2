// Whole runs of tavelle-cli against attacks on what it guarantees, grouped
// by what they attack: names that try to inject markup, failures that used
// to pass as success, reads without bounds, and damaged or linked files
// beside the run. Each run must end, say what went wrong and exit so.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using e2e_support::Block;
using e2e_support::DecodeAttribute;
using e2e_support::DumpDom;
using e2e_support::Lines;
using e2e_support::Quoted;
using e2e_support::RunCli;
using e2e_support::Unprivileged;
using testing_support::CommandResult;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::WriteFile;

class Security : public e2e_support::WorkFolderTest {
 protected:
  std::string SourceOptions() const {
    return "-o " + Quoted(out_.string()) + " -i " + Quoted(src_.string()) +
           " -t .h --set CommentString=// --set DefaultHTML=" + Quoted(page_.string()) +
           " --set GenerateJScriptTreeFile=false --set TreeViewerFolder=";
  }

  // Lets the user "nobody" run in the work folder.
  void OpenToEveryone() {
    for (const fs::path& folder : {work_.path(), out_, src_})
      fs::permissions(folder, fs::perms::all);
  }
};

// The values of every href and src attribute in a serialized DOM.
std::vector<std::string> LinkTargets(const std::string& dom) {
  std::vector<std::string> targets;
  static const std::regex kLink(R"re( (?:href|src)="([^"]*)")re");
  for (std::sregex_iterator it(dom.begin(), dom.end(), kLink), end; it != end; ++it)
    targets.push_back(DecodeAttribute((*it)[1].str()));
  return targets;
}

// Names full of markup, quotes, blanks and "&" reach the pages, the list
// pages, the image maps, the search-word links and the tree only as text:
// Chromium finds no element or attribute they made, runs none of their
// script, and every link and picture of every page is a file beside it.
TEST_F(Security, NamesInjectNoMarkupAndEveryLinkResolves) {
  if (RunCommand("command -v chromium").exit_code != 0) GTEST_SKIP() << "no chromium";
  const std::string image = "<img src=x onerror=document.title='pw'+'ned'>";
  const std::string company = "O'Brien & \"Sons\" <b>";
  const std::string svg = "<svg onload=document.title='pw'+'ned'>";
  WriteFile(src_ / "names.h",
            Block("CLASS", {"Name: " + image, "Description: Uses Plain."}) +
                Block("CLASS", {"Name: " + company, "Base Classes: " + image,
                                "Description: See Plain."}) +
                Block("CLASS", {"Name: Plain", "File: it's \"here\" & <there>.html"}) +
                Block("CLASS_MEMBER", {"Class: " + company, "Name: a <u>b",
                                       "Group: <i>grouped</i> & 'more'"}) +
                Block("FUNCTION", {"Name: " + svg, "Access: Public", "Description: Plain."}) +
                Block("GENERAL", {"Name: Tom & Jerry's <i>show", "Text: About Plain."}));
  CommandResult run = RunCli(database_, SourceOptions() +
                                            " --set GenerateDiagrams=true"
                                            " --set GenerateJScriptTreeFile=true"
                                            " --set JavaScriptTreeFile=JavaTree.js");
  ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;
  for (const auto& entry : fs::directory_iterator(SourcePath("examples/tree")))
    fs::copy_file(entry.path(), out_ / entry.path().filename());
  fs::copy_file(page_, out_ / "Overview.html");  // the tree page's start page

  int pages = 0;
  int links = 0;
  for (const auto& entry : fs::directory_iterator(out_)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    std::string dom = DumpDom(entry.path());
    std::string page = entry.path().filename().string();
    ASSERT_NE(dom.find("</html>"), std::string::npos) << page << " did not load";
    EXPECT_EQ(dom.find("pwned"), std::string::npos) << page << " ran a name's script";
    for (const char* injected : {"<img src=\"x\"", "<svg", "<b>", "<u>", "<i>", " onerror=\"",
                                 " onload=\"", " brien"})
      EXPECT_EQ(dom.find(injected), std::string::npos) << page << " holds " << injected;
    for (const std::string& target : LinkTargets(dom)) {
      ++links;
      EXPECT_TRUE(fs::is_regular_file(out_ / target)) << page << " links to " << target;
    }
  }
  EXPECT_EQ(pages, 11);
  EXPECT_GT(links, 20);
}

// A configuration that cannot be replaced exits 2 with one line and keeps
// the old file.
TEST_F(Security, ASaveThatCannotReplaceItsFileExits2) {
  fs::path locked = work_.path() / "locked";
  fs::create_directories(locked);
  WriteFile(locked / "p.tvg", "old\n");
  OpenToEveryone();
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  CommandResult save = RunCli(database_, "--save " + Quoted((locked / "p.tvg").string()),
                              work_.path(), Unprivileged());
  EXPECT_EQ(save.exit_code, 2) << save.output << save.errors;
  EXPECT_EQ(Lines(save.errors).size(), 1u) << save.errors;
  EXPECT_EQ(ReadFile(locked / "p.tvg"), "old\n");
}

// An input folder that is a file, a subfolder that cannot be listed and a
// folder beyond the system's path limit each get a read-failure row and
// fail the run; everything else is documented.
TEST_F(Security, FoldersThatCannotBeListedAreReported) {
  WriteFile(src_ / "kept.h", Block("FUNCTION", {"Name: Kept", "Access: Public"}));
  fs::create_directories(src_ / "shut");
  WriteFile(src_ / "shut" / "hidden.h", Block("FUNCTION", {"Name: Hidden", "Access: Public"}));
  fs::path plain = work_.path() / "plain.txt";
  WriteFile(plain, "not a folder\n");
  // Deeper than PATH_MAX, made one level at a time below an open folder.
  int folder = ::open(src_.c_str(), O_RDONLY | O_DIRECTORY);
  const std::string level(250, 'd');
  for (int depth = 0; depth < 18 && folder >= 0; ++depth) {
    ::mkdirat(folder, level.c_str(), 0755);
    int below = ::openat(folder, level.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(folder);
    folder = below;
  }
  ASSERT_GE(folder, 0);
  ::close(folder);
  OpenToEveryone();
  fs::permissions(src_ / "shut", fs::perms::none);

  CommandResult run = RunCli(database_, SourceOptions() + " -i " + Quoted(plain.string()),
                             work_.path(), Unprivileged());
  fs::permissions(src_ / "shut", fs::perms::owner_all);
  RunCommand("rm -rf " + Quoted((src_ / level).string()));
  EXPECT_EQ(run.exit_code, 3) << run.output << run.errors;
  EXPECT_TRUE(fs::exists(out_ / "Kept.html"));
  for (const std::string& row :
       {"Not a directory  File: " + plain.string(),
        "Permission denied  File: " + (src_ / "shut").string(),
        "File name too long  File: " + (src_ / level).string() + "/" + level})
    EXPECT_NE(run.output.find(row), std::string::npos) << row << "\n" << run.output;
}

// A hierarchy picture too large to hold is refused with a row that says
// so, and the run fails.
TEST_F(Security, APictureTooLargeToDrawIsReported) {
  std::string name(200, 'W');
  std::string bases;
  for (int base = 0; base < 20; ++base) bases += (base ? ", B" : "B") + std::to_string(base);
  WriteFile(src_ / "wide.h", Block("CLASS", {"Name: " + name, "Base Classes: " + bases}));
  CommandResult run =
      RunCli(database_, SourceOptions() + " --set GenerateDiagrams=true --set DiagramScale=8");
  EXPECT_EQ(run.exit_code, 3) << run.output << run.errors;
  std::regex row("Picture too large to draw \\(\\d+ x \\d+ pixels\\)  File: " +
                 (out_ / name).string() + "\\.png");
  EXPECT_TRUE(std::regex_search(run.output, row)) << run.output;
  EXPECT_TRUE(fs::exists(out_ / (name + ".html")));
}

// Templates are read only when they are regular files of at most 64 MB: a
// device, a FIFO and a larger file each get a row at once.
TEST_F(Security, TemplatesThatAreNoPlainFilesOrTooLargeAreRefused) {
  WriteFile(src_ / "a.h", Block("FUNCTION", {"Name: Kept", "Access: Public"}));
  fs::path fifo = work_.path() / "fifo.hhp";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::path large = work_.path() / "large.hhc";
  WriteFile(large, "");
  fs::resize_file(large, (uintmax_t{64} << 20) + 1);
  CommandResult run = RunCli(database_, "-o " + Quoted(out_.string()) + " -i " +
                                            Quoted(src_.string()) +
                                            " -t .h --set CommentString=// --set DefaultHTML=/dev/zero"
                                            " --set ProjFileTemplate=" + Quoted(fifo.string()) +
                                            " --set ContentFileTemplate=" + Quoted(large.string()) +
                                            " --set ProjFile=p.hhp --set ContentFile=c.hhc");
  EXPECT_EQ(run.exit_code, 3) << run.output << run.errors;
  for (const std::string& row : {std::string("Not a regular file  File: /dev/zero"),
                                 "Not a regular file  File: " + fifo.string(),
                                 "File larger than 64 MB  File: " + large.string()})
    EXPECT_NE(run.output.find(row), std::string::npos) << row << "\n" << run.output;
  EXPECT_TRUE(fs::exists(out_ / "Kept.html"));
}

// A search-word database that is no database, or whose table has other
// columns, is moved aside with a row and made anew, so the run links.
TEST_F(Security, ADamagedSearchWordDatabaseIsSetAsideAndRebuilt) {
  WriteFile(src_ / "a.h", Block("CLASS", {"Name: Alpha", "Description: Needs Beta."}) +
                              Block("CLASS", {"Name: Beta"}));
  auto setAside = [&] {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(work_.path()))
      count += entry.path().filename().string().starts_with("words.sqlite.corrupt-");
    return count;
  };
  const std::string row = "Damaged search word database moved aside to: " +
                          database_.string() + ".corrupt-";
  const std::string database = Quoted(database_.string());
  for (const std::string& damage : {"printf 'no database' | dd status=none of=" + database,
                                    "sqlite3 -batch " + database +
                                        " 'CREATE TABLE SearchWords (Word TEXT)'"}) {
    fs::remove(database_);
    ASSERT_EQ(RunCommand(damage).exit_code, 0) << damage;
    int before = setAside();
    CommandResult run = RunCli(database_, SourceOptions());
    EXPECT_EQ(run.exit_code, 0) << damage << run.output << run.errors;
    EXPECT_NE(run.output.find(row), std::string::npos) << damage << run.output;
    EXPECT_EQ(setAside(), before + 1) << damage;
    EXPECT_NE(ReadFile(out_ / "Alpha.html").find("<a href=\"Beta.html\">Beta</a>"),
              std::string::npos)
        << damage;
  }
  CommandResult again = RunCli(database_, SourceOptions());
  EXPECT_EQ(again.exit_code, 0) << again.output;
  EXPECT_EQ(again.output.find(row), std::string::npos) << again.output;
}

// Saving over a link replaces the file it leads to, keeping the link and
// the file's permission bits.
TEST_F(Security, ASaveThroughALinkKeepsTheLinkAndThePermissions) {
  fs::path target = work_.path() / "real" / "p.tvg";
  WriteFile(target, "old\n");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write |
                              fs::perms::group_read);
  fs::path link = work_.path() / "p.tvg";
  fs::create_symlink(target, link);
  CommandResult save = RunCli(database_, "-i " + Quoted(src_.string()) + " --save " +
                                             Quoted(link.string()));
  ASSERT_EQ(save.exit_code, 0) << save.output << save.errors;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_NE(ReadFile(target).find("[InputFolders]"), std::string::npos) << ReadFile(target);
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A NUL ends a name's file name, in the file written and in its row alike.
TEST_F(Security, ANulInANameEndsItsFileNameInTheRowToo) {
  WriteFile(src_ / "a.h", Block("CLASS", {std::string("Name: Cut\0Off", 13)}));
  CommandResult run = RunCli(database_, SourceOptions());
  ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;
  const std::string created = "Created Class File: ";
  size_t at = run.output.find(created);
  ASSERT_NE(at, std::string::npos) << run.output;
  std::string named = run.output.substr(at + created.size());
  named = named.substr(0, named.find('\n'));
  EXPECT_EQ(named, (out_ / "Cut").string());
  EXPECT_TRUE(fs::is_regular_file(named));
}

}  // namespace
