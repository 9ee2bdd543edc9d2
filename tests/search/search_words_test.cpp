#include "engine/search/search_word_index.h"
#include "engine/search/search_words.h"

#include "engine/core/named_lists.h"
#include "engine/search/search_store.h"
#include "tests/search/search_test_support.h"

namespace {

using search_testing::MakeWord;
using search_testing::SearchDatabaseTest;
using tavelle::PageKind;

class GenerateSearchWordsTest : public SearchDatabaseTest {
 protected:
  GenerateSearchWordsTest() {
    int32_t index = 0;
    tavelle::AddKeyWord(project_, "Stack", "keys.html", "<b>Stack</b>", index);
    tavelle::AddKeyWord(project_, "Stack", "keys.html", "<b>Stack</b>", index);
    auto& stack = AddClass("Stack");
    AddMember(stack, "Push");
    AddMember(stack, "Pop");
    AddMember(AddClass("Queue's"), "Push");
    AddRecord(project_.Functions, "Push");
    AddRecord(project_.GeneralDocs, "Intro");
  }

  tavelle::ClassDoc& AddClass(const std::string& name) {
    return AddRecord(project_.Classes, name);
  }
  void AddMember(tavelle::ClassDoc& owner, const std::string& name) {
    auto member = std::make_shared<tavelle::ClassMemberDoc>();
    member->Name = name;
    member->filename = owner.Name + "_" + name + ".html";
    owner.Members.AddSorted(member);
  }
  template <class Record>
  Record& AddRecord(tavelle::SortedCollection<Record>& records, const std::string& name) {
    auto record = std::make_shared<Record>();
    record->Name = name;
    record->filename = name + ".html";
    records.AddSorted(record);
    return *record;
  }

  // The file name of the word `word` links to on a page kind.
  std::string LinkTarget(PageKind kind, std::optional<std::string> currentClass,
                         std::string_view word) const {
    tavelle::SearchWordIndex index;
    index.Build(project_.StoredWords);
    auto resolver = index.ResolverFor(kind, std::move(currentClass));
    const tavelle::SearchWord* found = resolver->Resolve(word);
    return found ? found->filename : "<none>";
  }

  tavelle::Project project_;
};

TEST_F(GenerateSearchWordsTest, StoresKeyWordsThenEachClassWithItsMembersThenFunctionsAndTopics) {
  tavelle::GenerateSearchWords(project_, *run_);

  EXPECT_EQ(sink_->messages(), std::vector<std::string>({"Generating SearchWords"}));
  EXPECT_EQ(TableRows(),
            std::vector<std::string>({
                "Stack|<b>Stack</b>|keys.html|Keyword||0|0",
                "Stack|<b>Stack</b>|keys.html|Keyword||0|0",
                "Queue's|<a href=\"Queue's.html\">Queue's</a>|Queue's.html|Class|Queue's|0|0",
                "Push|<a href=\"Queue's_Push.html\">Push</a>|Queue's_Push.html|Class|Queue's|0|0",
                "Stack|<a href=\"Stack.html\">Stack</a>|Stack.html|Class|Stack|0|0",
                "Pop|<a href=\"Stack_Pop.html\">Pop</a>|Stack_Pop.html|Class|Stack|0|0",
                "Push|<a href=\"Stack_Push.html\">Push</a>|Stack_Push.html|Class|Stack|0|0",
                "Push|<a href=\"Push.html\">Push</a>|Push.html|Function|Push|0|0",
                "Intro|<a href=\"Intro.html\">Intro</a>|Intro.html|General|Intro|0|0",
            }));

  // The run's list holds the user's key-word objects themselves; the
  // stored words are what the table gave back.
  ASSERT_EQ(project_.SearchWords.size(), 9u);
  EXPECT_EQ(project_.SearchWords[0], *project_.KeyWords.begin());
  ASSERT_EQ(project_.StoredWords.size(), 9u);
  EXPECT_NE(project_.StoredWords[0], project_.SearchWords[0]);

  // The index is built from the stored words: each class page prefers its
  // own member, function pages the function, and a class beats a key word.
  EXPECT_EQ(LinkTarget(PageKind::kClassPages, "Queue's", "push"), "Queue's_Push.html");
  EXPECT_EQ(LinkTarget(PageKind::kClassPages, "Stack", "push"), "Stack_Push.html");
  EXPECT_EQ(LinkTarget(PageKind::kFunctionPages, "Stack", "push"), "Push.html");
  EXPECT_EQ(LinkTarget(PageKind::kGeneralPages, "Stack", "stack"), "Stack.html");
  EXPECT_EQ(LinkTarget(PageKind::kGeneralPages, std::nullopt, "queue"), "<none>");
}

TEST_F(GenerateSearchWordsTest, WithoutAutoLinkTheTableIsEmptiedAndNothingElseHappens) {
  tavelle::GenerateSearchWords(project_, *run_);
  ASSERT_FALSE(TableRows().empty());
  ASSERT_FALSE(project_.StoredWords.empty());

  sink_ = std::make_shared<testing_support::RecordingSink>();
  run_ = std::make_unique<tavelle::Run>(sink_, "", tavelle::RunClock::System(), false);
  project_.settings.AutoLink = false;
  tavelle::GenerateSearchWords(project_, *run_);

  EXPECT_TRUE(TableRows().empty());
  EXPECT_TRUE(sink_->messages().empty());
  EXPECT_TRUE(project_.SearchWords.empty());
  EXPECT_TRUE(project_.StoredWords.empty());
  EXPECT_EQ(LinkTarget(PageKind::kClassPages, "Stack", "stack"), "<none>");
}

TEST_F(GenerateSearchWordsTest, CancelWhileBuildingLeavesThePreviousTable) {
  std::vector<tavelle::SearchWordRef> stored;
  tavelle::SaveSearchWords({MakeWord("Earlier", "Class", "Earlier", "e")}, stored, *run_);
  std::vector<std::string> before = TableRows();

  run_->RequestCancel(true);
  tavelle::GenerateSearchWords(project_, *run_);

  EXPECT_EQ(TableRows(), before);
  EXPECT_EQ(sink_->messages(), std::vector<std::string>({"Generating SearchWords"}));
  EXPECT_TRUE(project_.StoredWords.empty());
}

TEST_F(GenerateSearchWordsTest, EmptyRunStillEmptiesTheTable) {
  std::vector<tavelle::SearchWordRef> stored;
  tavelle::SaveSearchWords({MakeWord("Earlier", "Class", "Earlier", "e")}, stored, *run_);
  tavelle::Project empty;
  tavelle::GenerateSearchWords(empty, *run_);
  EXPECT_TRUE(TableRows().empty());
  EXPECT_TRUE(empty.StoredWords.empty());
}

}  // namespace
