// Shared by the search tests: a fixture that points the search-word
// database at a fresh temporary file, and a direct look at the table.
#ifndef TAVELLE_TESTS_SEARCH_SEARCH_TEST_SUPPORT_H_
#define TAVELLE_TESTS_SEARCH_SEARCH_TEST_SUPPORT_H_

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/core/run.h"
#include "engine/core/search_word.h"
#include "tests/support/test_support.h"

namespace search_testing {

// One row of the table, every column, as text "Name|Replace|File|Type|Class|Order|ClassOrder".
inline std::string RowText(const tavelle::SearchWord& word) {
  return word.Name + "|" + word.ReplaceString + "|" + word.filename + "|" + word.WordType + "|" +
         word.Class + "|" + std::to_string(word.OrderID) + "|" +
         std::to_string(word.ClassOrderID);
}

class SearchDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("TAVELLE_SEARCH_DB", database_.c_str(), 1); }
  void TearDown() override { unsetenv("TAVELLE_SEARCH_DB"); }

  // The table's rows in storage order, read without the engine's code.
  std::vector<std::string> TableRows() const {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
      sqlite3_stmt* query = nullptr;
      sqlite3_prepare_v2(db,
                         "SELECT Name, ReplaceString, Filename, WordType, Class, OrderID, "
                         "ClassOrderID FROM SearchWords ORDER BY rowid",
                         -1, &query, nullptr);
      while (query && sqlite3_step(query) == SQLITE_ROW) {
        std::string row;
        for (int column = 0; column < 7; ++column) {
          const unsigned char* text = sqlite3_column_text(query, column);
          if (column > 0) row += "|";
          row += text ? reinterpret_cast<const char*>(text) : "<null>";
        }
        rows.push_back(row);
      }
      sqlite3_finalize(query);
    }
    sqlite3_close(db);
    return rows;
  }

  // Runs one statement on the database, outside the engine.
  void ExecDirect(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_open(database_.c_str(), &db);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
  }

  testing_support::TempDir dir_;
  std::string database_ = dir_ / "words.sqlite";
  std::shared_ptr<testing_support::RecordingSink> sink_ =
      std::make_shared<testing_support::RecordingSink>();
  // A run that reports to sink_ and writes nothing in the background.
  std::unique_ptr<tavelle::Run> run_ =
      std::make_unique<tavelle::Run>(sink_, "", tavelle::RunClock::System(), false);
};

inline tavelle::SearchWordRef MakeWord(const std::string& name, const std::string& type,
                                       const std::string& className,
                                       const std::string& replace) {
  auto word = std::make_shared<tavelle::SearchWord>();
  word->Name = name;
  word->WordType = type;
  word->Class = className;
  word->ReplaceString = replace;
  word->filename = replace + ".html";
  return word;
}

}  // namespace search_testing

#endif  // TAVELLE_TESTS_SEARCH_SEARCH_TEST_SUPPORT_H_
