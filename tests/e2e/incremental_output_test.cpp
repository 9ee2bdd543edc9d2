// Re-runs into a folder that already holds an earlier run's output must
// leave exactly what a fresh run into an empty folder leaves: the same
// files with the same bytes and the same rows, apart from one "Removed
// File" row for each file the earlier run made and this one does not.
// Files the user put there stay; a run killed at any point does no lasting
// harm.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using e2e_support::ExpectSameFiles;
using e2e_support::Lines;
using e2e_support::Quoted;
using e2e_support::ReadAllFiles;
using e2e_support::RunCli;
using testing_support::BinaryPath;
using testing_support::CommandResult;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr char kRemovedRow[] = "Removed File: ";

// A generated project: classes with a member each, one per header, and the
// options of a run over it.
class GeneratedProject {
 public:
  explicit GeneratedProject(const fs::path& root) : root_(root) {
    fs::create_directories(root_ / "src");
    fs::copy_file(SourcePath("examples/templates/page.html"), root_ / "page.html");
    for (int i = 0; i < 12; ++i) AddClass();
  }

  void AddClass() {
    Class added{"Class" + std::to_string(next_), "", "Says what class " + std::to_string(next_) +
                                                         " does."};
    ++next_;
    classes_.push_back(added);
    Save(classes_.size() - 1);
  }
  void RemoveClass(size_t index) {
    fs::remove(FileOf(classes_[index]));
    classes_.erase(classes_.begin() + index);
  }
  void Rename(size_t index) {
    fs::remove(FileOf(classes_[index]));
    classes_[index].name += "X";
    Save(index);
  }
  void Describe(size_t index, const std::string& text) {
    classes_[index].description = text;
    Save(index);
  }
  // The same edit as a copy that keeps times would make it: same size,
  // same file, same modification time.
  void DescribeKeepingStamp(size_t index, const std::string& text) {
    fs::file_time_type stamp = fs::last_write_time(FileOf(classes_[index]));
    ASSERT_EQ(text.size(), classes_[index].description.size());
    Describe(index, text);
    fs::last_write_time(FileOf(classes_[index]), stamp);
  }
  void AddBase(size_t index, size_t base) {
    classes_[index].base = classes_[base].name;
    Save(index);
  }
  void EditTemplate(int round) {
    std::string page = ReadFile(root_ / "page.html");
    WriteFile(root_ / "page.html", page + "<!-- round " + std::to_string(round) + " -->");
  }
  void DescribeMember(size_t index, const std::string& text) {
    classes_[index].member = text;
    Save(index);
  }
  void ToggleAutoLink() { autoLink_ = !autoLink_; }
  size_t size() const { return classes_.size(); }

  std::string Options() const {
    return "-i " + Quoted((root_ / "src").string()) + " -t .h --set CommentString=// " +
           "--set DefaultHTML=" + Quoted((root_ / "page.html").string()) +
           " --set TreeViewerFolder= --set DiagramScale=1 --set GenerateSearchIndex=false" +
           " --set AutoLink=" + (autoLink_ ? "true" : "false");
  }

 private:
  struct Class {
    std::string name, base, description, member = "Runs it.";
  };

  fs::path FileOf(const Class& c) const { return root_ / "src" / (c.name + ".h"); }

  void Save(size_t index) {
    const Class& c = classes_[index];
    std::string text = "//DOC_DEFINE_CLASS_START\n//Name: " + c.name + "\n//\\\\\n";
    if (!c.base.empty()) text += "//Base Classes: " + c.base + "\n//\\\\\n";
    text += "//Description: " + c.description + "\n//\\\\\n//DOC_DEFINE_CLASS_END\n";
    text += "//DOC_DEFINE_CLASS_MEMBER_START\n//Class: " + c.name +
            "\n//\\\\\n//Name: Run\n//\\\\\n//Description: " + c.member +
            "\n//\\\\\n//DOC_DEFINE_CLASS_MEMBER_END\n";
    WriteFile(FileOf(c), text);
  }

  fs::path root_;
  std::vector<Class> classes_;
  int next_ = 0;
  bool autoLink_ = true;
};

// The rows of a run started in `folder` into its "docs", without the date
// column and with the output folder's path written as "OUT".
std::vector<std::string> RunInto(const GeneratedProject& project, const fs::path& folder,
                             const fs::path& database) {
  CommandResult result = RunCli(database, "-o docs " + project.Options(), folder);
  EXPECT_EQ(result.exit_code, 0) << result.output << result.errors;
  const std::string output = (folder / "docs").string();
  std::vector<std::string> rows;
  for (const std::string& line : Lines(result.output)) {
    std::string row = line.substr(line.find('\t') + 1);
    for (size_t at; (at = row.find(output)) != std::string::npos;) row.replace(at, output.size(), "OUT");
    rows.push_back(row);
  }
  return rows;
}

// The search-word table of `database`, a row a line.
std::string TableOf(const fs::path& database) {
  return RunCommand("sqlite3 -batch " + Quoted(database.string()) +
                    " 'select * from SearchWords order by rowid'")
      .output;
}

struct FreshRun {
  std::map<std::string, std::string> files;
  std::vector<std::string> rows;
  std::string table;
};

// A fresh run into an empty folder, with a database of its own.
FreshRun FullRun(const GeneratedProject& project) {
  TempDir fresh;
  fs::create_directories(fresh.path() / "docs");
  std::vector<std::string> rows = RunInto(project, fresh.path(), fresh.path() / "words.sqlite");
  return {ReadAllFiles(fresh.path() / "docs"), rows, TableOf(fresh.path() / "words.sqlite")};
}

std::vector<std::string> WithoutRemovals(const std::vector<std::string>& rows, int& removals) {
  std::vector<std::string> kept;
  for (const std::string& row : rows) {
    if (row.starts_with(kRemovedRow)) {
      ++removals;
    } else {
      kept.push_back(row);
    }
  }
  return kept;
}

TEST(IncrementalOutput, RandomEditsLeaveWhatAFreshRunLeaves) {
  if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
  TempDir work;
  GeneratedProject project(work.path() / "project");
  fs::path folder = work.path() / "incremental";
  fs::create_directories(folder / "docs");
  WriteFile(folder / "docs" / "mine.txt", "the user's own file");
  std::vector<std::string> firstRows = RunInto(project, folder, work.path() / "words.sqlite");
  // A re-run without a change touches no file and logs the same rows.
  std::map<std::string, fs::file_time_type> stamps;
  for (const auto& entry : fs::recursive_directory_iterator(folder / "docs"))
    stamps[entry.path().string()] = entry.last_write_time();
  EXPECT_EQ(RunInto(project, folder, work.path() / "words.sqlite"), firstRows);
  for (const auto& [path, stamp] : stamps)
    EXPECT_TRUE(fs::last_write_time(path) == stamp) << path << " was written again";
  // After another project's run into the shared database, the next run
  // makes the table this project's again.
  std::string table = TableOf(work.path() / "words.sqlite");
  RunCli(work.path() / "words.sqlite", "-q -o " + Quoted((work.path() / "other").string()) +
                                           " " + Quoted(SourcePath("examples/shapes.tvg").string()));
  EXPECT_NE(TableOf(work.path() / "words.sqlite"), table);
  EXPECT_EQ(RunInto(project, folder, work.path() / "words.sqlite"), firstRows);
  EXPECT_EQ(TableOf(work.path() / "words.sqlite"), table);
  // An edit that leaves the source's stamp as it was is still seen.
  project.DescribeKeepingStamp(0, "Says what class 0 made.");
  RunInto(project, folder, work.path() / "words.sqlite");
  auto files = ReadAllFiles(folder / "docs");
  files.erase("mine.txt");
  ExpectSameFiles(FullRun(project).files, files);

  std::mt19937 random(19);  // 14 rounds of this seed make every kind of edit
  for (int round = 0; round < 14; ++round) {
    size_t pick = random() % project.size();
    switch (random() % 10) {
      case 0: project.Describe(pick, "Edited in round " + std::to_string(round) + "."); break;
      case 1: project.AddClass(); break;
      case 2: project.RemoveClass(pick); break;
      case 3: project.Rename(pick); break;
      case 4: project.AddBase(pick, (pick + 1) % project.size()); break;
      case 5: project.EditTemplate(round); break;
      case 6: project.ToggleAutoLink(); break;
      case 7: project.DescribeMember(pick, "Edited in round " + std::to_string(round) + "."); break;
      case 8: {  // someone edits a page the run made; the next run mends it
        std::vector<fs::path> pages;
        for (const auto& entry : fs::directory_iterator(folder / "docs"))
          if (entry.path().extension() == ".html") pages.push_back(entry.path());
        std::sort(pages.begin(), pages.end());
        WriteFile(pages[pick % pages.size()], "edited by hand");
        break;
      }
      case 9: {  // a cache cut short, as a full disk might leave it, is not trusted
        std::string cache = ReadFile(folder / "docs" / ".tavelle-cache");
        WriteFile(folder / "docs" / ".tavelle-cache", cache.substr(0, cache.size() / 2));
        project.Describe(pick, "Edited in round " + std::to_string(round) + ".");
        break;
      }
    }
    auto before = ReadAllFiles(folder / "docs");
    std::vector<std::string> rows = RunInto(project, folder, work.path() / "words.sqlite");
    auto [expectedFiles, expectedRows, expectedTable] = FullRun(project);
    EXPECT_EQ(TableOf(work.path() / "words.sqlite"), expectedTable) << "round " << round;
    auto files = ReadAllFiles(folder / "docs");
    ASSERT_EQ(files.erase("mine.txt"), 1u) << "round " << round;
    ExpectSameFiles(expectedFiles, files);
    int removals = 0;
    std::vector<std::string> kept = WithoutRemovals(rows, removals);
    auto differ = std::mismatch(kept.begin(), kept.end(), expectedRows.begin(), expectedRows.end());
    EXPECT_TRUE(differ.first == kept.end() && differ.second == expectedRows.end())
        << "round " << round << ": row " << (differ.first - kept.begin()) << " is \""
        << (differ.first == kept.end() ? "" : *differ.first) << "\", a fresh run's \""
        << (differ.second == expectedRows.end() ? "" : *differ.second) << "\"";
    size_t gone = 0;
    for (const auto& [name, bytes] : before) gone += files.contains(name) ? 0 : 1;
    EXPECT_EQ(removals, static_cast<int>(gone) - 1) << "round " << round;  // mine.txt
  }
}

TEST(IncrementalOutput, KilledRunsThenARunLeaveWhatAFreshRunLeaves) {
  if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
  TempDir work;
  GeneratedProject project(work.path() / "project");
  for (int i = 0; i < 300; ++i) project.AddClass();
  fs::path folder = work.path() / "incremental";
  fs::create_directories(folder / "docs");
  fs::path database = work.path() / "words.sqlite";
  RunInto(project, folder, database);
  // The killed runs see a project that lost classes: their pages must
  // still go once a run finishes.
  for (int i = 0; i < 40; ++i) project.RemoveClass(i * 3);
  project.Rename(0);

  std::mt19937 random(9);
  for (int kill = 0; kill < 4; ++kill) {
    std::string delay = std::to_string((random() % 400 + 10) / 1000.0);
    RunCommand("cd " + Quoted(folder.string()) + " && TAVELLE_SEARCH_DB=" +
               Quoted(database.string()) + " timeout -s KILL " + delay + " " +
               Quoted(BinaryPath("tavelle-cli")) + " -q -o docs " + project.Options());
  }
  RunInto(project, folder, database);
  ExpectSameFiles(FullRun(project).files, ReadAllFiles(folder / "docs"));
}

}  // namespace
