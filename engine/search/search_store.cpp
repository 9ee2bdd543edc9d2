#include "engine/search/search_store.h"

#include <cstdlib>
#include <ctime>

#include "automation/platform.h"
#include "engine/core/content_key.h"
#include "engine/core/output_queue.h"
#include "engine/search/sql_connection.h"

namespace tavelle {
namespace {

constexpr char kDatabaseFileName[] = "SearchWordsDB.sqlite";

constexpr char kCreateTable[] =
    "CREATE TABLE IF NOT EXISTS SearchWords (Name TEXT, ReplaceString TEXT, Filename TEXT, "
    "WordType TEXT, Class TEXT, OrderID INTEGER, ClassOrderID INTEGER)";
constexpr char kDeleteAll[] = "DELETE FROM SearchWords";
constexpr char kInsert[] =
    "INSERT INTO SearchWords (Name, ReplaceString, Filename, WordType, Class, OrderID, "
    "ClassOrderID) VALUES (?, ?, ?, ?, ?, ?, ?)";
// Both queries list the columns in the order ReadWords expects.
constexpr char kSelectInStoredOrder[] =
    "SELECT Name, ReplaceString, Filename, WordType, Class, OrderID, ClassOrderID "
    "FROM SearchWords ORDER BY rowid";
// rowid settles ties, so words of one name and rank come in stored order.
constexpr char kSelectInPageOrder[] =
    "SELECT Name, ReplaceString, Filename, WordType, Class, OrderID, ClassOrderID "
    "FROM SearchWords ORDER BY OrderID, ClassOrderID, Name, rowid";
// Rows that already hold the value are left alone: the table ends the same,
// and most rows keep their order from one page kind to the next.
constexpr char kSetTypeOrder[] =
    "UPDATE SearchWords SET OrderID=?1 WHERE WordType=?2 AND OrderID IS NOT ?1";
constexpr char kSetOwnClassOrder[] =
    "UPDATE SearchWords SET ClassOrderID=0 WHERE Class=? AND ClassOrderID IS NOT 0";
constexpr char kSetOtherClassOrder[] =
    "UPDATE SearchWords SET ClassOrderID=1 WHERE Class<>? AND ClassOrderID IS NOT 1";

std::filesystem::path CacheFolder() {
  // Relative values are invalid for XDG_CACHE_HOME and are ignored.
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  if (cacheHome && std::filesystem::path(cacheHome).is_absolute()) {
    return std::filesystem::path(cacheHome) / "tavelle";
  }
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / ".cache" / "tavelle";
  std::error_code error;
  return std::filesystem::temp_directory_path(error) / "tavelle";
}

// `word` as the table gives it back: the stored columns only.
SearchWordRef AsReadBack(const SearchWord& word) {
  auto stored = std::make_shared<SearchWord>();
  stored->Name = word.Name;
  stored->ReplaceString = word.ReplaceString;
  stored->filename = word.filename;
  stored->WordType = word.WordType;
  stored->Class = word.Class;
  stored->OrderID = word.OrderID;
  stored->ClassOrderID = word.ClassOrderID;
  return stored;
}

// Appends every row of `query` to `words` as new SearchWord objects.
// False (after the failure rows) when the query failed part way.
bool ReadWords(SqlStatement& query, std::vector<SearchWordRef>& words) {
  SqlStatement::Step step;
  while ((step = query.Next()) == SqlStatement::Step::kRow) {
    auto word = std::make_shared<SearchWord>();
    word->Name = query.Text(0);
    word->ReplaceString = query.Text(1);
    word->filename = query.Text(2);
    word->WordType = query.Text(3);
    word->Class = query.Text(4);
    word->OrderID = static_cast<int16_t>(query.Integer(5));
    word->ClassOrderID = static_cast<int16_t>(query.Integer(6));
    words.push_back(std::move(word));
  }
  return step == SqlStatement::Step::kDone;
}

// Inserts `words` in order until a cancel request or a failed insert; the
// rows inserted before either stay.
void InsertWords(SqlConnection& connection, const std::vector<SearchWordRef>& words, Run& run) {
  SqlStatement insert(connection, kInsert, SqlKind::kExec);
  if (!insert.IsPrepared()) return;
  for (const SearchWordRef& word : words) {
    if (run.CheckCancel()) return;
    insert.Bind(1, word->Name);
    insert.Bind(2, word->ReplaceString);
    insert.Bind(3, word->filename);
    insert.Bind(4, word->WordType);
    insert.Bind(5, word->Class);
    insert.Bind(6, int64_t{word->OrderID});
    insert.Bind(7, int64_t{word->ClassOrderID});
    // With every value bound, an insert fails only when the database
    // itself does; the next one would fail the same way.
    if (insert.Next() == SqlStatement::Step::kFailed) return;
    insert.Reset();
  }
}

// A file that is no search-word database (garbage, or a table of other
// columns) is moved aside as "<file>.corrupt-<date>", so that the run
// starts a new one and later runs link again.
void SetAsideDamagedDatabase(const std::filesystem::path& file, Run& run) {
  {
    SqlConnection probe(file, run);
    if (!probe.IsDamaged("SearchWords", kSelectInStoredOrder)) return;
  }
  std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char date[32];
  std::strftime(date, sizeof date, "%Y%m%dT%H%M%SZ", &utc);
  std::filesystem::path first = file;
  first += std::string(".corrupt-") + date;
  std::filesystem::path aside = first;
  std::error_code error;
  // A file set aside earlier in the same second is kept too.
  for (int copy = 2; std::filesystem::exists(aside, error); ++copy) {
    aside = first;
    aside += "-" + std::to_string(copy);
  }
  std::filesystem::rename(file, aside, error);
  if (error) {
    run.Fail(Status::FileFailure(error.message(), file.string()));
    return;
  }
  run.Log("Damaged search word database moved aside to: " + aside.string());
  run.NoteRepair();
}

}  // namespace

std::filesystem::path SearchDatabasePath() {
  const char* configured = std::getenv("TAVELLE_SEARCH_DB");
  if (configured && *configured) return configured;
  std::filesystem::path engineFolder =
      automation::ModuleFolderOf(reinterpret_cast<const void*>(&SearchDatabasePath));
  if (!engineFolder.empty() && automation::IsWritableFolder(engineFolder)) {
    return engineFolder / kDatabaseFileName;
  }
  return CacheFolder() / kDatabaseFileName;
}

uint64_t KeyOfWords(const std::vector<SearchWordRef>& words) {
  ContentKey key;
  key.Add(static_cast<int64_t>(words.size()));
  for (const SearchWordRef& word : words) AddSearchWord(key, *word);
  return key.Value();
}

bool SaveSearchWords(const std::vector<SearchWordRef>& words, std::vector<SearchWordRef>& stored,
                     Run& run, const FileStamp* heldSince) {
  stored.clear();
  if (heldSince && StampOf(SearchDatabasePath()) == *heldSince) {
    stored.reserve(words.size());
    for (const SearchWordRef& word : words) stored.push_back(AsReadBack(*word));
    return true;
  }
  SetAsideDamagedDatabase(SearchDatabasePath(), run);
  SqlConnection connection(SearchDatabasePath(), run);
  if (!connection.Exec(kCreateTable)) return false;
  // Reading the rows back inside the same transaction gives this run its
  // own words even when another run rewrites the table right after.
  SqlTransaction transaction(connection);
  if (!transaction.IsActive() || !connection.Exec(kDeleteAll)) return false;
  InsertWords(connection, words, run);
  SqlStatement query(connection, kSelectInStoredOrder, SqlKind::kQuery);
  if (!query.IsPrepared() || !ReadWords(query, stored) || !transaction.Commit()) {
    stored.clear();
    return false;
  }
  return true;
}

void SetWordTypeOrder(int16_t classOrder, int16_t functionOrder, int16_t generalOrder,
                      int16_t keywordOrder, RunReport& report) {
  SqlConnection connection(SearchDatabasePath(), report);
  if (!connection.Exec(kCreateTable)) return;
  SqlTransaction transaction(connection);
  if (!transaction.IsActive()) return;
  // Each update runs whether or not the one before it succeeded.
  connection.Exec(kSetTypeOrder, int64_t{classOrder}, "Class");
  connection.Exec(kSetTypeOrder, int64_t{functionOrder}, "Function");
  connection.Exec(kSetTypeOrder, int64_t{generalOrder}, "General");
  connection.Exec(kSetTypeOrder, int64_t{keywordOrder}, "Keyword");
  transaction.Commit();
}

void SetClassOrder(const std::string& className, RunReport& report) {
  SqlConnection connection(SearchDatabasePath(), report);
  if (!connection.Exec(kCreateTable)) return;
  SqlTransaction transaction(connection);
  if (!transaction.IsActive()) return;
  connection.Exec(kSetOwnClassOrder, className);
  connection.Exec(kSetOtherClassOrder, className);
  transaction.Commit();
}

void UpdateInBackground(Run& run, std::function<void(RunReport&)> update) {
  run.Queue().Post(OutputJob{std::move(update), 0, true, SearchDatabasePath().string()});
}

void LoadSearchWords(std::vector<SearchWordRef>& words, RunReport& report) {
  words.clear();
  SqlConnection connection(SearchDatabasePath(), report);
  if (!connection.Exec(kCreateTable)) return;
  SqlStatement query(connection, kSelectInPageOrder, SqlKind::kQuery);
  if (!query.IsPrepared() || !ReadWords(query, words)) words.clear();
}

}  // namespace tavelle
