#include "engine/scan/file_discovery.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/named_lists.h"
#include "engine/scan/text_file.h"
#include "tests/scan/scan_test_support.h"

namespace {

namespace fs = std::filesystem;
using scan_testing::LoggedProject;
using testing_support::TempDir;
using testing_support::WriteFile;
using Texts = std::vector<std::string>;

void AddTypes(tavelle::Project& project, Texts types) {
  int32_t position = 0;
  for (std::string& type : types) tavelle::AddFileType(project, type, position);
}

Texts FileNames(const tavelle::Project& project) {
  Texts names;
  for (const tavelle::FileInfo& file : project.SourceFiles) names.push_back(file.Name);
  return names;
}

void FindRecursive(LoggedProject& logged, const std::string& folder, tavelle::Run& run) {
  tavelle::Project& project = logged.project;
  tavelle::FindSourceFilesRecursive(folder, project.SourceFiles, project.FileTypes, "//", run);
}

void FindRecursive(LoggedProject& logged, const std::string& folder) {
  FindRecursive(logged, folder, *testing_support::RunOf(logged.project));
}

std::string Read(const std::string& path, std::string_view prefix) {
  std::string text = "old";
  tavelle::Project project;
  tavelle::ReadTextFile(path, text, prefix, *testing_support::RunOf(project));
  return text;
}

TEST(FileDiscovery, ReadsSubfoldersBeforeTheFolderInByteOrder) {
  TempDir temp;
  const std::string root = temp / "src";
  for (const char* name : {"a.cpp", "z.cpp", "B/b.cpp", "B/C/c.cpp", "D/d.h", "D/readme.txt",
                           ".hidden/h.cpp", ".dot.cpp", "Makefile"}) {
    WriteFile(root + "/" + name, "//Name: x\n");
  }
  fs::create_directories(root + "/empty.cpp");  // a folder named like a source file

  LoggedProject logged;
  AddTypes(logged.project, {".cpp", ".h"});
  FindRecursive(logged, root);
  const Texts expected{root + "/B/C/c.cpp", root + "/B/b.cpp", root + "/D/d.h", root + "/a.cpp",
                       root + "/z.cpp"};
  EXPECT_EQ(FileNames(logged.project), expected);
  Texts reading;
  for (const std::string& path : expected) reading.push_back("Reading File: " + path);
  EXPECT_EQ(logged.rows(), reading);
  EXPECT_EQ(logged.project.SourceFiles[0].FileText, "Name: x\r\n");
  EXPECT_EQ(logged.project.SourceFiles[0].ID, 0);

  LoggedProject flat;
  AddTypes(flat.project, {".cpp"});
  tavelle::FindSourceFiles(root + "/", flat.project.SourceFiles, flat.project.FileTypes, "",
                           *testing_support::RunOf(flat.project));
  EXPECT_EQ(FileNames(flat.project), (Texts{root + "//a.cpp", root + "//z.cpp"}));
  EXPECT_EQ(flat.project.SourceFiles[0].FileText, "//Name: x\r\n") << "empty comment string";

  EXPECT_EQ(tavelle::ListSubfolders(root + "/"), (Texts{"B", "D", "empty.cpp"}));
  EXPECT_TRUE(tavelle::ListSubfolders(temp / "missing/").empty());
}

TEST(FileDiscovery, MatchesTheWholeExtensionFromTheFirstDotExactly) {
  LoggedProject logged;
  AddTypes(logged.project, {".cpp", "h"});
  const auto& types = logged.project.FileTypes;
  EXPECT_TRUE(tavelle::MatchesFileType("Main.cpp", types));
  EXPECT_TRUE(tavelle::MatchesFileType("shape.h", types)) << "the list adds the dot";
  EXPECT_FALSE(tavelle::MatchesFileType("MAIN.CPP", types));
  EXPECT_FALSE(tavelle::MatchesFileType("view.test.cpp", types));
  EXPECT_FALSE(tavelle::MatchesFileType("Makefile", types));
  EXPECT_FALSE(tavelle::MatchesFileType("cpp", types));
  AddTypes(logged.project, {".test.cpp"});
  EXPECT_TRUE(tavelle::MatchesFileType("view.test.cpp", types));
}

TEST(FileDiscovery, LinksBackUpThePathAreNotFollowed) {
  TempDir temp;
  const std::string root = temp / "src";
  WriteFile(root + "/top.cpp", "");
  WriteFile(root + "/sub/inner.cpp", "");
  fs::create_directory_symlink(root, root + "/loop");
  fs::create_directory_symlink("..", root + "/sub/up");
  // A link to a folder that is not on the current path is walked again.
  fs::create_directory_symlink(root + "/sub", root + "/again");

  LoggedProject logged;
  AddTypes(logged.project, {".cpp"});
  FindRecursive(logged, root);
  EXPECT_EQ(FileNames(logged.project),
            (Texts{root + "/again/inner.cpp", root + "/sub/inner.cpp", root + "/top.cpp"}));
}

TEST(FileDiscovery, AnUnreadableFileIsLoggedKeptEmptyAndTheRunGoesOn) {
  TempDir temp;
  const std::string root = temp / "src";
  WriteFile(root + "/b.cpp", "text");
  fs::create_directories(root);
  fs::create_symlink(temp / "nowhere.cpp", root + "/a.cpp");

  LoggedProject logged;
  AddTypes(logged.project, {".cpp"});
  FindRecursive(logged, root);
  ASSERT_EQ(logged.project.SourceFiles.size(), 2u);
  EXPECT_EQ(logged.project.SourceFiles[0].FileText, "");
  EXPECT_EQ(logged.project.SourceFiles[1].FileText, "text\r\n");
  EXPECT_EQ(logged.rows(), (Texts{"Reading File: " + root + "/a.cpp",
                                  "No such file or directory  File: " + root + "/a.cpp",
                                  "Reading File: " + root + "/b.cpp"}));

  LoggedProject direct;
  std::string text = "old";
  tavelle::Status status = tavelle::ReadTextFile(root, text, "", *testing_support::RunOf(direct.project));
  EXPECT_EQ(text, "");
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.rows()[0], "Is a directory  File: " + root);
  EXPECT_TRUE(direct.rows().empty()) << "the reader leaves logging to its caller";
}

TEST(ReadTextFile, EndsEveryLineInCrLfAndStripsOnePrefix) {
  TempDir temp;
  auto file = [&](const std::string& bytes) {
    WriteFile(temp / "f.txt", bytes);
    return temp / "f.txt";
  };
  EXPECT_EQ(Read(file(""), "//"), "");
  EXPECT_EQ(Read(file("one line"), "//"), "one line\r\n");
  EXPECT_EQ(Read(file("a\r\nb\rc\nd\n\n"), ""), "a\r\nb\r\nc\r\nd\r\n\r\n");
  EXPECT_EQ(Read(file("\r\r\n\n"), ""), "\r\n\r\n\r\n");
  EXPECT_EQ(Read(file("//Name: A\n  //Name: B\n////x\n/x\n"), "//"),
            "Name: A\r\n  //Name: B\r\n//x\r\n/x\r\n");
  EXPECT_EQ(Read(file("''x\n"), "'"), "'x\r\n");
}

TEST(ReadTextFile, LinesAndLineBreaksMayCrossReadChunks) {
  TempDir temp;
  // Line breaks and prefixes across each power-of-two boundary a reader
  // might cut the file at, and a line longer than such a chunk.
  for (size_t boundary = 4096; boundary <= 65536; boundary *= 2) {
    for (size_t offset = boundary - 3; offset <= boundary; ++offset) {
      std::string bytes(offset, 'a');
      bytes += "\r\n//b\r//c\n";
      bytes += std::string(70000, 'd');
      bytes += "\r";
      WriteFile(temp / "big.txt", bytes);
      std::string expected(offset, 'a');
      expected += "\r\nb\r\nc\r\n" + std::string(70000, 'd') + "\r\n";
      EXPECT_EQ(Read(temp / "big.txt", "//"), expected) << "at offset " << offset;
    }
  }
}

TEST(ReadTextFile, LineEndsOfAnyKindGiveTheSameRecords) {
  const std::string source =
      "//DOC_DEFINE_CLASS_START\n//Name: Shape\n//\\\\\n//Description: First.\n//Second.\n"
      "//\\\\\n//DOC_DEFINE_CLASS_END\nclass Shape {};\n//DOC_DEFINE_CLASS_MEMBER_START\n"
      "//Class: Shape\n//\\\\\n//Name: Draw\n//\\\\\n//Definition: void Draw();\n//\\\\\n"
      "//DOC_DEFINE_CLASS_MEMBER_END\n";
  TempDir temp;
  std::vector<std::string> texts;
  for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
    std::string bytes;
    for (char c : source) bytes += c == '\n' ? std::string(lineEnd) : std::string(1, c);
    WriteFile(temp / "s.h", bytes);
    texts.push_back(Read(temp / "s.h", "//"));
  }
  EXPECT_EQ(texts[0], texts[1]);
  EXPECT_EQ(texts[0], texts[2]);

  LoggedProject logged;
  scan_testing::ScanTexts(logged.project, {texts[0]});
  EXPECT_EQ(logged.rows(), (Texts{"Found Class: Shape", "Found Class Member: Shape::Draw"}));
  EXPECT_EQ(logged.project.Classes.At(1)->Description, "First.\r\nSecond.");
}

TEST(FileDiscovery, ACancelStopsTheReadingAndKeepsWhatWasRead) {
  TempDir temp;
  const std::string root = temp / "src";
  std::string longFile;
  for (int line = 0; line < 20000; ++line) longFile += "line\n";
  WriteFile(root + "/a.cpp", longFile);
  WriteFile(root + "/b.cpp", "never read\n");

  LoggedProject logged;
  AddTypes(logged.project, {".cpp"});
  std::unique_ptr<tavelle::Run> run;
  int pumps = 0;
  run = testing_support::RunOf(logged.project, testing_support::PumpAtEveryCheck([&] {
                                 if (++pumps == 3) run->RequestCancel(true);
                               }));
  FindRecursive(logged, root, *run);
  ASSERT_EQ(logged.project.SourceFiles.size(), 1u);
  const std::string& partial = logged.project.SourceFiles[0].FileText;
  EXPECT_LT(partial.size(), longFile.size());
  EXPECT_TRUE(partial.ends_with("line\r\n") || partial.empty());

  LoggedProject cancelled;
  AddTypes(cancelled.project, {".cpp"});
  auto cancelledRun = testing_support::RunOf(cancelled.project);
  cancelledRun->RequestCancel(true);
  FindRecursive(cancelled, root, *cancelledRun);
  EXPECT_TRUE(cancelled.project.SourceFiles.empty());
  EXPECT_TRUE(cancelled.rows().empty());
}

}  // namespace
