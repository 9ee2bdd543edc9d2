#include "engine/search/search_word_index.h"

#include <random>
#include <set>

#include "engine/html/auto_link.h"
#include "engine/search/search_store.h"
#include "tests/search/search_test_support.h"

namespace {

using search_testing::MakeWord;
using search_testing::SearchDatabaseTest;
using tavelle::PageKind;
using tavelle::SearchWordRef;

struct PageOrder {
  PageKind kind;
  int16_t classOrder, functionOrder, generalOrder, keywordOrder;
};
constexpr PageOrder kPageOrders[] = {
    {PageKind::kClassPages, 0, 1, 2, 3},
    {PageKind::kFunctionPages, 1, 0, 2, 3},
    {PageKind::kGeneralPages, 1, 2, 0, 3},
};

std::string Describe(const tavelle::SearchWord* word) {
  return word ? word->Name + " " + word->ReplaceString : "<none>";
}

using SearchWordIndexTest = SearchDatabaseTest;

// The comparison below commits a few hundred small transactions; on a
// disk each waits for a sync, in memory-backed /dev/shm none does.
class MemoryBackedDatabase {
 public:
  MemoryBackedDatabase() {
    std::filesystem::path shm = "/dev/shm";
    if (!std::filesystem::is_directory(shm)) return;
    path_ = shm / ("tavelle-search-test-" + std::to_string(std::random_device()()) + ".sqlite");
    setenv("TAVELLE_SEARCH_DB", path_.c_str(), 1);
  }
  ~MemoryBackedDatabase() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }

 private:
  std::filesystem::path path_;
};

// The index must pick exactly the word that ordering the table for a page
// kind and class, loading it, and taking the first match would pick.
TEST_F(SearchWordIndexTest, AgreesWithTheOrderedTableForRandomWordSets) {
  MemoryBackedDatabase database;
  const std::vector<std::string> names = {"push", "Push", "PUSH", "pop", "Pop", "size",
                                          "O'Neil", "o'neil", "x_1", "X_1"};
  const std::vector<std::string> types = {"Class", "Function", "General", "Keyword"};
  const std::vector<std::string> classes = {"Stack", "stack", "Queue's", "List"};
  std::mt19937 random(20240611);

  for (int round = 0; round < 12; ++round) {
    std::vector<SearchWordRef> words;
    size_t count = 1 + random() % 40;
    for (size_t i = 0; i < count; ++i) {
      const std::string& type = types[random() % types.size()];
      std::string owner = type == "Keyword" ? "" : classes[random() % classes.size()];
      // Each word's ReplaceString is unique, so a match names one word.
      words.push_back(
          MakeWord(names[random() % names.size()], type, owner, "r" + std::to_string(i)));
    }
    std::vector<SearchWordRef> stored;
    ASSERT_TRUE(tavelle::SaveSearchWords(words, stored, *run_));
    tavelle::SearchWordIndex index;
    index.Build(stored);

    std::set<std::string> lowerNames = {"absent", "push", "pop", "size", "o'neil", "x_1"};
    std::vector<std::optional<std::string>> contexts = {std::nullopt, "Stack", "stack",
                                                        "Queue's", "List", "Nobody"};
    for (const std::optional<std::string>& currentClass : contexts) {
      for (const PageOrder& order : kPageOrders) {
        tavelle::SetWordTypeOrder(order.classOrder, order.functionOrder, order.generalOrder,
                                  order.keywordOrder, *run_);
        // No class paged yet: every row keeps the ClassOrderID it was stored with.
        if (currentClass) tavelle::SetClassOrder(*currentClass, *run_);
        std::vector<SearchWordRef> loaded;
        tavelle::LoadSearchWords(loaded, *run_);
        tavelle::ListResolver reference(loaded);
        auto resolver = index.ResolverFor(order.kind, currentClass);
        for (const std::string& name : lowerNames) {
          EXPECT_EQ(Describe(resolver->Resolve(name)), Describe(reference.Resolve(name)))
              << "round " << round << ", word " << name << ", class "
              << currentClass.value_or("(none)") << ", page kind "
              << static_cast<int>(order.kind);
        }
      }
    }
    ASSERT_TRUE(sink_->messages().empty()) << sink_->messages().front();
  }
}

TEST_F(SearchWordIndexTest, EmptyOrClearedIndexResolvesNothing) {
  tavelle::SearchWordIndex index;
  EXPECT_TRUE(index.Empty());
  EXPECT_EQ(index.ResolverFor(PageKind::kClassPages, "A")->Resolve("a"), nullptr);

  index.Build({MakeWord("A", "Class", "A", "a")});
  auto resolver = index.ResolverFor(PageKind::kGeneralPages, std::nullopt);
  ASSERT_NE(resolver->Resolve("a"), nullptr);
  EXPECT_EQ(resolver->Resolve("A"), nullptr);  // callers pass lower-cased words

  index.Clear();
  EXPECT_TRUE(index.Empty());
  EXPECT_EQ(index.ResolverFor(PageKind::kClassPages, "A")->Resolve("a"), nullptr);
}

}  // namespace
