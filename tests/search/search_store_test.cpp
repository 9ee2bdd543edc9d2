#include "engine/search/search_store.h"

#include <chrono>
#include <thread>

#include "automation/platform.h"
#include "tests/search/search_test_support.h"

namespace {

using search_testing::MakeWord;
using search_testing::RowText;
using search_testing::SearchDatabaseTest;
using tavelle::SearchWordRef;

using SearchStoreTest = SearchDatabaseTest;

std::vector<std::string> RowTexts(const std::vector<SearchWordRef>& words) {
  std::vector<std::string> rows;
  for (const auto& word : words) rows.push_back(RowText(*word));
  return rows;
}

TEST_F(SearchStoreTest, SaveReplacesTheRowsAndReadsThemBackVerbatim) {
  std::vector<SearchWordRef> stored;
  ASSERT_TRUE(tavelle::SaveSearchWords({MakeWord("Old", "Class", "Old", "old")}, stored, *run_));

  // Apostrophes and statement text in values are data, nothing more; a
  // word given twice is stored twice.
  auto quoted = MakeWord("O'Brien", "Class", "O'Brien", "<a href=\"o'b.html\">O'Brien</a>");
  quoted->ID = 7;
  auto hostile = MakeWord("x'); DROP TABLE SearchWords; --", "Keyword", "", "r");
  auto twice = MakeWord("Twice", "Keyword", "", "t");
  std::vector<SearchWordRef> words = {quoted, hostile, twice, twice};
  ASSERT_TRUE(tavelle::SaveSearchWords(words, stored, *run_));

  std::vector<std::string> expected = {
      "O'Brien|<a href=\"o'b.html\">O'Brien</a>|<a href=\"o'b.html\">O'Brien</a>.html|Class|"
      "O'Brien|0|0",
      "x'); DROP TABLE SearchWords; --|r|r.html|Keyword||0|0",
      "Twice|t|t.html|Keyword||0|0",
      "Twice|t|t.html|Keyword||0|0",
  };
  EXPECT_EQ(TableRows(), expected);
  EXPECT_EQ(RowTexts(stored), expected);
  // The stored words are new objects; ID is never stored.
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_NE(stored[0], quoted);
  EXPECT_EQ(stored[0]->ID, 0);
  EXPECT_TRUE(sink_->messages().empty());

  // An empty list empties the table.
  ASSERT_TRUE(tavelle::SaveSearchWords({}, stored, *run_));
  EXPECT_TRUE(TableRows().empty());
  EXPECT_TRUE(stored.empty());
}

TEST_F(SearchStoreTest, OrderingColumnsDecideTheLoadOrder) {
  std::vector<SearchWordRef> stored;
  ASSERT_TRUE(tavelle::SaveSearchWords(
      {
          MakeWord("push", "Class", "Queue's", "q-push-lower"),
          MakeWord("Help", "Keyword", "", "k-help"),
          MakeWord("Push", "Class", "Queue's", "q-push"),
          MakeWord("Push", "Class", "Stack", "s-push"),
          MakeWord("Push", "Function", "Push", "f-push"),
          MakeWord("Intro", "General", "Intro", "g-intro"),
          MakeWord("Push", "Class", "Queue's", "q-push-again"),
      },
      stored, *run_));

  // Loading before any ordering: everything ranks 0, so Name then storage order.
  std::vector<SearchWordRef> loaded = {MakeWord("stale", "Class", "", "stale")};
  tavelle::LoadSearchWords(loaded, *run_);
  std::vector<std::string> replaces;
  for (const auto& word : loaded) replaces.push_back(word->ReplaceString);
  EXPECT_EQ(replaces, std::vector<std::string>({"k-help", "g-intro", "q-push", "s-push", "f-push",
                                    "q-push-again", "q-push-lower"}));

  tavelle::SetWordTypeOrder(1, 2, 0, 3, *run_);
  tavelle::SetClassOrder("Queue's", *run_);
  EXPECT_EQ(TableRows(), std::vector<std::string>({
                             "push|q-push-lower|q-push-lower.html|Class|Queue's|1|0",
                             "Help|k-help|k-help.html|Keyword||3|1",
                             "Push|q-push|q-push.html|Class|Queue's|1|0",
                             "Push|s-push|s-push.html|Class|Stack|1|1",
                             "Push|f-push|f-push.html|Function|Push|2|1",
                             "Intro|g-intro|g-intro.html|General|Intro|0|1",
                             "Push|q-push-again|q-push-again.html|Class|Queue's|1|0",
                         }));

  tavelle::LoadSearchWords(loaded, *run_);
  replaces.clear();
  for (const auto& word : loaded) replaces.push_back(word->ReplaceString);
  EXPECT_EQ(replaces, std::vector<std::string>({"g-intro", "q-push", "q-push-again", "q-push-lower", "s-push",
                                    "f-push", "k-help"}));
  EXPECT_EQ(loaded[0]->OrderID, 0);
  EXPECT_EQ(loaded[4]->ClassOrderID, 1);
  EXPECT_TRUE(sink_->messages().empty());
}

TEST_F(SearchStoreTest, UnusableDatabaseReportsEachOperationAndLeavesNoWords) {
  // A database "inside" a regular file can be neither opened nor created.
  testing_support::WriteFile(dir_.path() / "plain", "text");
  setenv("TAVELLE_SEARCH_DB", (dir_ / "plain/words.sqlite").c_str(), 1);

  std::vector<SearchWordRef> stored = {MakeWord("stale", "Class", "", "stale")};
  EXPECT_FALSE(tavelle::SaveSearchWords({MakeWord("A", "Class", "A", "a")}, stored, *run_));
  EXPECT_TRUE(stored.empty());
  tavelle::SetWordTypeOrder(0, 1, 2, 3, *run_);
  tavelle::SetClassOrder("A", *run_);
  std::vector<SearchWordRef> loaded = {MakeWord("stale", "Class", "", "stale")};
  tavelle::LoadSearchWords(loaded, *run_);
  EXPECT_TRUE(loaded.empty());

  // Two rows per operation: the reason, then the statement that failed.
  const auto& rows = sink_->messages();
  ASSERT_EQ(rows.size(), 8u);
  for (size_t i = 0; i < rows.size(); i += 2) {
    EXPECT_EQ(rows[i], "unable to open database file");
    EXPECT_EQ(rows[i + 1].rfind("Error In Exec: CREATE TABLE IF NOT EXISTS SearchWords (", 0), 0u)
        << rows[i + 1];
  }

  // A file that is no database at all is set aside with a row, and the
  // words go into a new one.
  testing_support::WriteFile(dir_.path() / "junk.sqlite", std::string(4096, 'x'));
  setenv("TAVELLE_SEARCH_DB", (dir_ / "junk.sqlite").c_str(), 1);
  EXPECT_TRUE(tavelle::SaveSearchWords({MakeWord("A", "Class", "A", "a")}, stored, *run_));
  EXPECT_EQ(stored.size(), 1u);
  ASSERT_EQ(rows.size(), 9u);
  std::string aside = rows[8].substr(rows[8].find(": ") + 2);
  EXPECT_EQ(rows[8], "Damaged search word database moved aside to: " + aside);
  EXPECT_TRUE(aside.starts_with(dir_ / "junk.sqlite.corrupt-")) << aside;
  EXPECT_EQ(testing_support::ReadFile(aside), std::string(4096, 'x'));
}

TEST_F(SearchStoreTest, MissingTableAndFolderAreCreated) {
  setenv("TAVELLE_SEARCH_DB", (dir_ / "new/folder/words.sqlite").c_str(), 1);
  std::vector<SearchWordRef> loaded;
  tavelle::LoadSearchWords(loaded, *run_);
  EXPECT_TRUE(loaded.empty());
  EXPECT_TRUE(sink_->messages().empty());
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "new/folder/words.sqlite"));
}

TEST_F(SearchStoreTest, WaitsForAnotherRunsWriteInsteadOfFailing) {
  std::vector<SearchWordRef> stored;
  ASSERT_TRUE(tavelle::SaveSearchWords({}, stored, *run_));

  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(database_.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO SearchWords (Name) VALUES ('x')",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  std::thread finisher([other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  });
  bool saved = tavelle::SaveSearchWords({MakeWord("Mine", "Class", "Mine", "m")}, stored, *run_);
  finisher.join();
  sqlite3_close(other);

  EXPECT_TRUE(saved);
  EXPECT_TRUE(sink_->messages().empty());
  EXPECT_EQ(TableRows(), std::vector<std::string>({"Mine|m|m.html|Class|Mine|0|0"}));
}

TEST_F(SearchStoreTest, CancelDuringInsertsKeepsTheRowsSoFar) {
  std::vector<SearchWordRef> words;
  for (int i = 0; i < 50; ++i) {
    words.push_back(MakeWord("W" + std::to_string(i), "Function", "", "w" + std::to_string(i)));
  }
  // The pump runs at every cancel check; it asks for a cancel on its
  // fourth run.
  int pumps = 0;
  run_ = std::make_unique<tavelle::Run>(sink_, "", testing_support::PumpAtEveryCheck([&] {
                                          if (++pumps == 4) run_->RequestCancel(true);
                                        }),
                                        false);
  std::vector<SearchWordRef> stored;
  EXPECT_TRUE(tavelle::SaveSearchWords(words, stored, *run_));

  std::vector<std::string> rows = TableRows();
  ASSERT_GT(rows.size(), 0u);
  ASSERT_LT(rows.size(), words.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], RowText(*words[i]));
  EXPECT_EQ(RowTexts(stored), rows);
}

TEST_F(SearchStoreTest, DatabaseLocation) {
  EXPECT_EQ(tavelle::SearchDatabasePath(), database_);
  // Unset or empty: beside the engine, which this test program links in,
  // when that folder is writable.
  setenv("TAVELLE_SEARCH_DB", "", 1);
  std::filesystem::path programFolder = automation::ExecutableFolder();
  if (automation::IsWritableFolder(programFolder)) {
    EXPECT_EQ(tavelle::SearchDatabasePath(), programFolder / "SearchWordsDB.sqlite");
  }
}

}  // namespace
