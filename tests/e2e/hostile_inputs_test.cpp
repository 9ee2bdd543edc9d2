// Whole runs of tavelle-cli on inputs meant to break it: damaged bytes,
// huge and numerous files, deep and looping folders, missing templates,
// impossible output places, broken configuration files, page paths that
// climb out of the output folder and names full of quoting characters.
// Every run must end, report what it could not do (exit status 3 when it
// reported a read or write failure), write the pages it can, and write
// nothing outside its output folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using e2e_support::Block;
using e2e_support::ExpectProjectCompiles;
using e2e_support::ListPaths;
using e2e_support::LoadTree;
using e2e_support::Quoted;
using e2e_support::RunCli;
using testing_support::BinaryPath;
using testing_support::CommandResult;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

std::string Function(const std::string& name) {
  return Block("FUNCTION", {"Name: " + name, "Access: Public", "Description: Does it."});
}

class HostileInputs : public e2e_support::WorkFolderTest {
 protected:
  // Runs on `src_` (files .h) into `out_` and checks that nothing appeared
  // outside the output folder.
  CommandResult Run(const std::string& arguments) {
    std::set<std::string> before = ListPaths(work_.path(), out_);
    CommandResult run = RunCli(database_, "-o " + Quoted(out_.string()) + " " + arguments);
    std::set<std::string> after = ListPaths(work_.path(), out_);
    after.erase("words.sqlite");
    before.erase("words.sqlite");
    EXPECT_EQ(before, after) << "the run wrote outside its output folder";
    return run;
  }

  std::string SourceOptions() {
    return "-i " + Quoted(src_.string()) + " -t .h --set CommentString=// --set DefaultHTML=" +
           Quoted(page_.string()) + " --set GenerateJScriptTreeFile=false";
  }
};

TEST_F(HostileInputs, DamagedHugeDeepAndLoopingSourcesStillGivePages) {
  // NUL bytes and invalid UTF-8 around a block that must still be found.
  WriteFile(src_ / "binary.h", std::string("\0\xff\xfe\xc3(\x80", 7) + "\n" +
                                   Function("Binary\xe9Name") + std::string("\0\0\xf8\n", 4));
  // 50 MB on one line, with no line break at all.
  WriteFile(src_ / "huge.h", std::string(50u << 20, 'x'));
  // 300 folders deep, a documented file at the bottom.
  fs::path deep = src_;
  for (int level = 0; level < 300; ++level) deep /= "d";
  fs::create_directories(deep);
  WriteFile(deep / "deep.h", Function("Deep"));
  // A link back to an enclosing folder, and a link to itself.
  fs::create_directory_symlink(src_, src_ / "d" / "loop");
  fs::create_symlink(src_ / "self.h", src_ / "self.h");

  CommandResult run = Run(SourceOptions());
  EXPECT_NE(run.exit_code, 124) << "the run did not end";
  EXPECT_TRUE(fs::exists(out_ / "Deep.html")) << run.output << run.errors;
  bool binaryPage = false;
  for (const auto& entry : fs::directory_iterator(out_))
    binaryPage |= entry.path().filename().string().starts_with("Binary");
  EXPECT_TRUE(binaryPage) << "the block among NUL bytes gave no page";
  EXPECT_TRUE(fs::exists(out_ / "Functions.html"));
  // The looping link to itself cannot be read; that is the one failure.
  EXPECT_NE(run.output.find("  File: " + (src_ / "self.h").string()), std::string::npos)
      << run.output;
  EXPECT_EQ(run.exit_code, 3) << run.errors;
}

TEST_F(HostileInputs, TwentyThousandTinyFilesAreAllDocumented) {
  constexpr int kFiles = 20000;
  for (int number = 0; number < kFiles; ++number) {
    std::string name = "f" + std::to_string(number);
    WriteFile(src_ / (std::to_string(number % 100)) / (name + ".h"), Function(name));
  }
  CommandResult run = Run(SourceOptions() + " --set AutoLink=false");
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(out_))
    pages += entry.path().filename().string().starts_with("f");
  EXPECT_EQ(pages, kFiles);
}

TEST_F(HostileInputs, ImpossiblePlacesAreReportedAndTheRestIsWritten) {
  WriteFile(src_ / "a.h",
            Function("Kept") +
                Block("FUNCTION", {"Name: Climber", "Access: Public", "File: ../../x.html"}) +
                Block("FUNCTION", {"Name: Rooted", "Access: Public",
                                   "File: " + (work_.path() / "rooted.html").string()}));
  fs::path notAFolder = work_.path() / "plain.txt";
  WriteFile(notAFolder, "not a folder\n");

  // Pages that climb out or name an absolute place are refused; an input
  // folder that is a file and a missing help template are reported.
  CommandResult run = Run(SourceOptions() + " -i " + Quoted(notAFolder.string()) +
                          " --set ProjFileTemplate=" +
                          Quoted((work_.path() / "missing.hhp").string()));
  EXPECT_EQ(run.exit_code, 3) << run.output << run.errors;
  EXPECT_TRUE(fs::exists(out_ / "Kept.html"));
  EXPECT_TRUE(fs::exists(out_ / "Functions.html"));
  EXPECT_FALSE(fs::exists(work_.path().parent_path() / "x.html"));
  EXPECT_FALSE(fs::exists(work_.path() / "rooted.html"));
  EXPECT_NE(run.output.find("Path outside the output directory  File: "), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("  File: " + (work_.path() / "missing.hhp").string()),
            std::string::npos)
      << run.output;

  // A missing page template and an output "folder" that is a file.
  fs::remove_all(out_);
  WriteFile(out_, "a file where the output folder should be\n");
  run = Run("-i " + Quoted(src_.string()) + " -t .h --set CommentString=// --set DefaultHTML=" +
            Quoted((work_.path() / "gone.html").string()));
  EXPECT_NE(run.exit_code, 124) << "the run did not end";
  EXPECT_EQ(run.exit_code, 3) << run.output << run.errors;
  EXPECT_EQ(ReadFile(out_), "a file where the output folder should be\n");
}

// A picture that cannot be saved fails the run like a page would, with
// its row, and changes nothing else.
TEST_F(HostileInputs, APictureThatCannotBeSavedFailsTheRun) {
  WriteFile(src_ / "a.h", Block("CLASS", {"Name: Base", "Description: The base."}) +
                              Block("CLASS", {"Name: Derived", "Base Classes: Base"}));
  CommandResult clean = Run(SourceOptions() + " --set GenerateDiagrams=true");
  ASSERT_EQ(clean.exit_code, 0) << clean.output << clean.errors;
  ASSERT_TRUE(fs::is_regular_file(out_ / "Derived.png"));

  fs::remove_all(out_);
  fs::create_directories(out_ / "Derived.png");
  CommandResult run = Run(SourceOptions() + " --set GenerateDiagrams=true");
  EXPECT_EQ(run.exit_code, 3) << run.output << run.errors;
  std::string row = "Is a directory  File: " + (out_ / "Derived.png").string();
  EXPECT_NE(run.output.find(row), std::string::npos) << run.output;
  EXPECT_TRUE(fs::exists(out_ / "Derived.html"));
  EXPECT_EQ(clean.output.size() + row.size() + 1 + 20, run.output.size())
      << "one dated row more, nothing else";
}

TEST_F(HostileInputs, BrokenConfigurationFilesEndQuickly) {
  std::mt19937 random(20261208);
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>(random() & 0xff);
  WriteFile(work_.path() / "noise.tvg", noise);
  WriteFile(work_.path() / "counts.tvg",
            "[InputFolders]\nNumInputFolders=30000\n[FileTypes]\nNumFileTypes=30000\n"
            "[KeyWords]\nNumKeyWords=30000\n");
  WriteFile(src_ / "a.h", Function("Kept"));
  for (const char* config : {"noise.tvg", "counts.tvg"}) {
    fs::remove_all(out_);
    fs::create_directories(out_);
    CommandResult run = Run(Quoted((work_.path() / config).string()) + " " + SourceOptions());
    EXPECT_TRUE(run.exit_code == 0 || run.exit_code == 3) << config << run.errors;
    EXPECT_TRUE(fs::exists(out_ / "Kept.html")) << config << run.output;
  }
}

TEST_F(HostileInputs, QuotingCharactersInNamesKeepEveryOutputWellFormed) {
  for (const char* tool : {"chmcmd", "chmls", "chromium"})
    if (RunCommand(std::string("command -v ") + tool).exit_code != 0)
      GTEST_SKIP() << tool << " is not installed";
  // A backslash is a folder separator in a help project, so it stays out
  // of the names that become page files.
  const std::string cls = "Gr\xc3\xbc\xc3\x9f" "e<T> & 'Co' \"x\"";
  const std::string member = "Ma\xc3\x9f & <size> \"it's\"";
  const std::string function = "\xc3\x9c" "ber 'a' & \"b\" <c>";
  const std::string topic = "\xc3\x89t\xc3\xa9 & <summer> \"it's\"";
  const std::string group = "<Sizes> & \"more\" \\ 'all'";
  WriteFile(src_ / "names.h",
            Block("CLASS", {"Name: " + cls, "Description: Mentions " + function + "."}) +
                Block("CLASS_MEMBER", {"Class: " + cls, "Name: " + member,
                                       "Group: " + group, "Description: A \\ member."}) +
                Block("FUNCTION", {"Name: " + function, "Access: Public",
                                   "Description: Uses " + cls + "."}) +
                Block("GENERAL", {"Name: " + topic, "Text: About " + member + "."}) +
                Block("INDEX", {"Name: Index 'entry' & <more> \\ \"\xc3\xb8\"",
                                "File: " + topic + ".html", "ReplaceString: x"}));
  auto templates = [](const std::string& name) {
    return Quoted(SourcePath("examples/templates/" + name).string());
  };
  CommandResult run = Run(
      "-i " + Quoted(src_.string()) + " -t .h --set CommentString=// --set DefaultHTML=" +
      Quoted(page_.string()) + " --set ProjFileTemplate=" + templates("project.hhp") +
      " --set ContentFileTemplate=" + templates("contents.hhc") +
      " --set IndexFileTemplate=" + templates("index.hhk") +
      " --set ProjFile=Names.hhp --set ContentFile=Contents.hhc --set IndexFile=Index.hhk"
      " --set GenerateJScriptTreeFile=true --set JavaScriptTreeFile=JavaTree.js");
  ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;

  ExpectProjectCompiles(out_, "Names.hhp");
  std::set<std::string> names;
  for (const auto& [number, node] : LoadTree(out_)) names.insert(node.name);
  for (const std::string& name : {cls, member, function, topic, group})
    EXPECT_EQ(names.count(name), 1u) << name << " is not in the tree";
}

}  // namespace
