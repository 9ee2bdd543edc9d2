// A thin layer over the SQLite C API for the search-word database.
//
// SqlConnection opens one database file for one operation and closes it
// when destroyed; SqlStatement is one prepared statement on it, with its
// values bound as parameters; SqlTransaction is a write transaction that
// rolls back unless committed. Every failure is reported to the run as one
// failure of two rows: SQLite's description of the error, then
// "Error In Exec: " (or "Error In Query: ") and the statement's text.
// A connection that could not be opened reports nothing by itself: its
// first statement fails and reports the reason.
#ifndef TAVELLE_ENGINE_SEARCH_SQL_CONNECTION_H_
#define TAVELLE_ENGINE_SEARCH_SQL_CONNECTION_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/core/run_report.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tavelle {

// Which prefix the failure rows of a statement carry.
enum class SqlKind { kExec, kQuery };

class SqlConnection {
 public:
  // Opens `file`, creating it (and its folder) when missing. Two
  // connections to one file wait for each other's writes for a while
  // instead of failing at once.
  SqlConnection(const std::filesystem::path& file, RunReport& report);
  ~SqlConnection();
  SqlConnection(const SqlConnection&) = delete;
  SqlConnection& operator=(const SqlConnection&) = delete;

  // Runs a statement that returns no rows, binding `values` (texts or
  // integers) to its parameters in order. False after a reported failure.
  template <class... Values>
  bool Exec(const char* sql, const Values&... values);

  // True when the file is no database, is corrupt, or holds `table` without
  // what `query` (a statement on it) needs, such as its columns. Reports
  // nothing; a file without the table, or one busy with another run's
  // write, is not damaged.
  bool IsDamaged(const char* table, const char* query) const;

  // Reports the failure of `sql` with the connection's last error.
  void ReportFailure(SqlKind kind, std::string_view sql) const;

  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  std::string open_error_;  // why the file could not be opened
  RunReport& report_;
};

class SqlStatement {
 public:
  enum class Step { kRow, kDone, kFailed };

  // Prepares `sql`; a failure is reported with `kind`'s prefix.
  SqlStatement(const SqlConnection& connection, const char* sql, SqlKind kind);
  ~SqlStatement();
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;

  bool IsPrepared() const { return statement_ != nullptr; }

  // Parameters are numbered from 1. A bound text must stay alive until
  // the statement has run.
  void Bind(int index, std::string_view text);
  void Bind(int index, int64_t value);

  // Runs the statement up to its next row; kFailed after reporting.
  Step Next();
  // Makes the statement ready to run again with new values.
  void Reset();

  // Values of the current row; columns are numbered from 0.
  std::string Text(int column) const;
  int64_t Integer(int column) const;

 private:
  const SqlConnection& connection_;
  const char* sql_;
  SqlKind kind_;
  sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE on construction: the write lock is taken at once, so two
// writers queue up instead of failing when one tries to upgrade its lock.
class SqlTransaction {
 public:
  explicit SqlTransaction(SqlConnection& connection);
  ~SqlTransaction();  // rolls back when not committed
  SqlTransaction(const SqlTransaction&) = delete;
  SqlTransaction& operator=(const SqlTransaction&) = delete;

  bool IsActive() const { return active_; }
  bool Commit();

 private:
  SqlConnection& connection_;
  bool active_ = false;
};

template <class... Values>
bool SqlConnection::Exec(const char* sql, const Values&... values) {
  SqlStatement statement(*this, sql, SqlKind::kExec);
  if (!statement.IsPrepared()) return false;
  int index = 0;
  (statement.Bind(++index, values), ...);
  while (true) {
    switch (statement.Next()) {
      case SqlStatement::Step::kRow:
        continue;
      case SqlStatement::Step::kDone:
        return true;
      case SqlStatement::Step::kFailed:
        return false;
    }
  }
}

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SEARCH_SQL_CONNECTION_H_
