// The search-word database: a SQLite file with the table SearchWords
// (Name, ReplaceString, Filename, WordType, Class, OrderID, ClassOrderID).
//
// The file is $TAVELLE_SEARCH_DB when set; otherwise SearchWordsDB.sqlite
// beside libcorvane.so when that folder is writable; otherwise in
// $XDG_CACHE_HOME/tavelle/ (~/.cache/tavelle/). The file and the table are
// created when missing. Every operation opens and closes its own
// connection; statements bind their values as parameters. A failing
// statement logs two rows: the error's description, then
// "Error In Exec: " (or "Error In Query: ") and the statement.
#ifndef TAVELLE_ENGINE_SEARCH_SEARCH_STORE_H_
#define TAVELLE_ENGINE_SEARCH_SEARCH_STORE_H_

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/file_stamp.h"
#include "engine/core/run.h"
#include "engine/core/search_word.h"

namespace tavelle {

std::filesystem::path SearchDatabasePath();

// What a run left in the table: a key over the words it stored
// (KeyOfWords; 0 when it stored none) and the database file's stamp once
// the run was over.
struct StoredTable {
  uint64_t words = 0;
  FileStamp database;
};

uint64_t KeyOfWords(const std::vector<SearchWordRef>& words);

// Replaces the table's rows by `words`, then reads the rows back into
// `stored` in the order they were stored, all in one transaction so that
// another run sharing the file cannot interleave. A cancel request stops
// the inserts; the rows inserted so far stay. Returns false when the table
// could not be written or read back (`stored` is then empty).
//
// `heldSince`, when given, is the database file's stamp at a time its
// table held `words` (as a run left it). While the stamp is unchanged the
// table is left alone and `stored` gets the words as they would be read
// back: the changes of word order a run makes afterwards end the same.
bool SaveSearchWords(const std::vector<SearchWordRef>& words, std::vector<SearchWordRef>& stored,
                     Run& run, const FileStamp* heldSince = nullptr);

// Sets OrderID of every row by its WordType.
void SetWordTypeOrder(int16_t classOrder, int16_t functionOrder, int16_t generalOrder,
                      int16_t keywordOrder, RunReport& report);

// Sets ClassOrderID to 0 for the rows of `className` and 1 for all others.
void SetClassOrder(const std::string& className, RunReport& report);

// Runs `update`, a change to the table, on the run's output queue: beside
// the writing of output files, and in order with the other changes.
void UpdateInBackground(Run& run, std::function<void(RunReport&)> update);

// Every row in the order "OrderID, ClassOrderID, Name" (then row order).
void LoadSearchWords(std::vector<SearchWordRef>& words, RunReport& report);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SEARCH_SEARCH_STORE_H_
