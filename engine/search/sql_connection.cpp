#include "engine/search/sql_connection.h"

#include <sqlite3.h>

#include <system_error>


namespace tavelle {
namespace {

// How long a statement waits for another run's write to finish.
constexpr int kBusyTimeoutMs = 10000;

}  // namespace

SqlConnection::SqlConnection(const std::filesystem::path& file, RunReport& report)
    : report_(report) {
  if (file.has_parent_path()) {
    std::error_code ignored;  // a folder we cannot create makes the open fail
    std::filesystem::create_directories(file.parent_path(), ignored);
  }
  int result = sqlite3_open_v2(file.string().c_str(), &db_,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (result != SQLITE_OK) {
    open_error_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(result);
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  // A run writes and reads the whole table in one transaction; a cache
  // that holds it spares re-reading pages and spilling them before the
  // commit. Pages are only allocated as the table needs them.
  sqlite3_exec(db_, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
}

SqlConnection::~SqlConnection() { sqlite3_close(db_); }

namespace {

bool IsDamage(int result) {
  return result == SQLITE_NOTADB || result == SQLITE_CORRUPT;
}

}  // namespace

bool SqlConnection::IsDamaged(const char* table, const char* query) const {
  if (!db_) return false;
  sqlite3_stmt* statement = nullptr;
  int result = sqlite3_prepare_v2(
      db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?", -1, &statement, nullptr);
  if (result == SQLITE_OK) {
    sqlite3_bind_text(statement, 1, table, -1, SQLITE_STATIC);
    result = sqlite3_step(statement);
  }
  sqlite3_finalize(statement);
  if (IsDamage(result)) return true;
  if (result != SQLITE_ROW) return false;
  statement = nullptr;
  result = sqlite3_prepare_v2(db_, query, -1, &statement, nullptr);
  sqlite3_finalize(statement);
  return IsDamage(result) || result == SQLITE_ERROR;
}

void SqlConnection::ReportFailure(SqlKind kind, std::string_view sql) const {
  report_.Fail(Status::DatabaseFailure(db_ ? sqlite3_errmsg(db_) : open_error_,
                                       kind == SqlKind::kExec ? "Error In Exec: " : "Error In Query: ",
                                       sql));
}

SqlStatement::SqlStatement(const SqlConnection& connection, const char* sql, SqlKind kind)
    : connection_(connection), sql_(sql), kind_(kind) {
  if (!connection.handle() ||
      sqlite3_prepare_v2(connection.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    connection.ReportFailure(kind, sql);
  }
}

SqlStatement::~SqlStatement() { sqlite3_finalize(statement_); }

void SqlStatement::Bind(int index, std::string_view text) {
  // An empty view may have no data at all, which SQLite would store as NULL.
  const char* data = text.data() ? text.data() : "";
  sqlite3_bind_text64(statement_, index, data, text.size(), SQLITE_STATIC, SQLITE_UTF8);
}

void SqlStatement::Bind(int index, int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
}

SqlStatement::Step SqlStatement::Next() {
  switch (sqlite3_step(statement_)) {
    case SQLITE_ROW:
      return Step::kRow;
    case SQLITE_DONE:
      return Step::kDone;
    default:
      connection_.ReportFailure(kind_, sql_);
      return Step::kFailed;
  }
}

void SqlStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::string SqlStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  if (!text) return std::string();
  return std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
}

int64_t SqlStatement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

SqlTransaction::SqlTransaction(SqlConnection& connection) : connection_(connection) {
  active_ = connection_.Exec("BEGIN IMMEDIATE");
}

SqlTransaction::~SqlTransaction() {
  // SQLite may already have rolled back by itself after an I/O error.
  if (active_ && !sqlite3_get_autocommit(connection_.handle())) connection_.Exec("ROLLBACK");
}

bool SqlTransaction::Commit() {
  if (!active_) return false;
  if (connection_.Exec("COMMIT")) {
    active_ = false;
    return true;
  }
  // A failed COMMIT may leave the transaction open; the destructor ends it.
  return false;
}

}  // namespace tavelle
