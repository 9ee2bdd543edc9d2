// The run links words through its word index instead of re-ordering and
// reloading the search-word table before every page. This checks the
// fast path against the slow one on a generated project: every page
// written by GenerateHTMLFiles must equal, byte for byte, the page that
// results from setting the table's order for the page kind (and class),
// loading it and linking with the first matching word of that list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/html/auto_link.h"
#include "engine/pipeline/html_driver.h"
#include "engine/html/list_pages.h"
#include "engine/html/page_context.h"
#include "engine/html/page_frame.h"
#include "engine/html/topic_pages.h"
#include "engine/search/search_store.h"
#include "engine/search/search_word_index.h"
#include "engine/search/search_words.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::RecordingSink;
using testing_support::TempDir;
using testing_support::WriteFile;

// Names chosen to collide: member names recur across classes, some
// functions, topics and key words share names with classes or members, and
// the same name appears in several letter cases.
const std::vector<std::string> kNames = {"Shape",  "shape", "Area",   "area",  "Draw", "draw",
                                         "Resize", "Size",  "Colour", "Point", "Line", "Box",
                                         "Render", "Scale", "Grid",   "GRID",  "Move", "Layer"};

class LargeScalePathsTest : public ::testing::Test {
 protected:
  LargeScalePathsTest() {
    setenv("TAVELLE_SEARCH_DB", (dir / "words.sqlite").c_str(), 1);
    WriteFile(dir / "page.html",
              "<html><title>x</title>\n<!--Begin HTML Body-->\n<!--End HTML Body-->\n</html>\n");
    Settings& settings = project.settings;
    settings.DefaultHTML = dir / "page.html";
    settings.OutputMsgBox = sink;
    settings.FunctionsHTMLFile = "Functions.html";
    settings.ClassesHTMLFile = "Classes.html";
    settings.GenerateDiagrams = false;
    settings.AutoLink = true;
    Generate();
  }
  ~LargeScalePathsTest() override { unsetenv("TAVELLE_SEARCH_DB"); }

  std::string Pick() { return kNames[random() % kNames.size()]; }

  template <class Records>
  static bool Holds(const Records& records, const std::string& name) {
    int32_t position = 0;
    return records.FindByName(name, position);
  }

  // Prose that mentions known names in varied case, inside and outside
  // tags, next to entities and punctuation.
  std::string Description() {
    static const char* const kGlue[] = {" ", ", ", "\r\n", " &nbsp;", "\t", " <b>", "</b> ",
                                        "(", ") ", ".\r\n\r\n"};
    std::string text = "Works with ";
    for (int i = 0; i < 12; ++i) {
      std::string name = Pick();
      if (random() % 5 == 0) name = name + "s";  // a near miss
      text += name + kGlue[random() % 10];
    }
    return text;
  }

  void Generate() {
    for (int c = 0; c < 24; ++c) {
      auto record = std::make_shared<ClassDoc>();
      record->Name = c < 8 ? kNames[c] : kNames[c % kNames.size()] + std::to_string(c);
      record->filename = "class" + std::to_string(c) + ".html";
      record->Description = Description();
      record->ShortDescription = Description();
      record->Group = c % 2 ? "Shapes" : "Tools";
      for (int m = 0; m < 5; ++m) {
        auto member = std::make_shared<ClassMemberDoc>();
        member->Name = Pick();
        if (Holds(record->Members, member->Name)) continue;
        member->filename = record->filename + "_" + std::to_string(m) + ".html";
        member->Description = Description();
        member->ShortDescription = Description();
        member->Access = "Public";
        record->Members.AddSorted(member);
      }
      if (!Holds(project.Classes, record->Name)) project.Classes.AddSorted(record);
    }
    for (int f = 0; f < 12; ++f) {
      auto function = std::make_shared<FunctionDoc>();
      function->Name = Pick() + (f % 3 ? std::to_string(f) : "");
      if (Holds(project.Functions, function->Name)) continue;
      function->filename = "function" + std::to_string(f) + ".html";
      function->Description = Description();
      function->ShortDescription = Description();
      function->Group = f % 2 ? "Maths" : "Drawing";
      project.Functions.AddSorted(function);
    }
    for (int g = 0; g < 6; ++g) {
      auto topic = std::make_shared<GeneralDoc>();
      topic->Name = Pick();
      if (Holds(project.GeneralDocs, topic->Name)) continue;
      topic->filename = "topic" + std::to_string(g) + ".html";
      topic->Description = Description();
      project.GeneralDocs.AddSorted(topic);
    }
    for (int k = 0; k < 6; ++k) {
      auto word = std::make_shared<SearchWord>();
      word->Name = Pick();
      word->ReplaceString = "<a href=\"key" + std::to_string(k) + ".html\">" + word->Name + "</a>";
      word->WordType = "Keyword";
      if (!Holds(project.KeyWords, word->Name)) project.KeyWords.AddSorted(word);
    }
  }

  // The pages the slow path writes into `out`: the table ordered before
  // every page kind and every class, read back, and searched in order.
  void WriteReferencePages(const std::string& out) {
    project.settings.OutputDirectory = out;
    auto run = testing_support::RunOf(project);
    std::string head, tail;
    SplitHTMLTemplate(project, *run, head, tail);
    std::vector<SearchWordRef> list;
    ListResolver words(list);
    auto context = [&] { return PageContext{head, tail, words, *run, project.HTMLFiles}; };
    auto order = [&](PageKind kind) {
      auto rank = [kind](const char* type) { return WordTypeOrder(kind, type); };
      SetWordTypeOrder(rank("Class"), rank("Function"), rank("General"), rank("Keyword"), *run);
    };
    auto reload = [&] {
      list.clear();
      LoadSearchWords(list, *run);
    };

    order(PageKind::kClassPages);
    for (const auto& record : project.Classes) {
      SetClassOrder(record->Name, *run);
      reload();
      PageContext page = context();
      GenerateHTML(*record, page);
    }
    order(PageKind::kFunctionPages);
    reload();
    for (const auto& record : project.Functions) {
      PageContext page = context();
      GenerateHTML(*record, page);
    }
    order(PageKind::kGeneralPages);
    reload();
    for (const auto& record : project.GeneralDocs) {
      PageContext page = context();
      GenerateHTML(*record, page);
    }
    GenerateFunctionsListFile(project, *run, head, tail, words);
    GenerateClassesListFile(project, *run, head, tail, words);
  }

  std::mt19937 random{20261208};
  TempDir dir;
  std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
  Project project;
};

TEST_F(LargeScalePathsTest, EveryPageEqualsThePageOfTheReorderedTable) {
  const std::string fast = dir / "fast";
  const std::string slow = dir / "slow";
  fs::create_directories(fast);
  fs::create_directories(slow);

  GenerateSearchWords(project, *testing_support::RunOf(project));
  project.settings.OutputDirectory = fast;
  GenerateHTMLFiles(project, *testing_support::RunOf(project));
  WriteReferencePages(slow);

  size_t compared = 0;
  size_t linked = 0;
  for (const auto& entry : fs::directory_iterator(slow)) {
    const std::string name = entry.path().filename();
    const std::string expected = ReadFile(entry.path());
    EXPECT_EQ(ReadFile(fs::path(fast) / name), expected) << name;
    if (expected.find("<a href=") != std::string::npos) ++linked;
    ++compared;
  }
  // Every class, member, function, topic and both list pages were checked,
  // and linking really happened on most of them.
  size_t members = 0;
  for (const auto& record : project.Classes) members += record->Members.Count();
  EXPECT_EQ(compared, project.Classes.Count() + members + project.Functions.Count() +
                          project.GeneralDocs.Count() + 2);
  EXPECT_GT(linked, compared / 2);
}

}  // namespace
}  // namespace tavelle
