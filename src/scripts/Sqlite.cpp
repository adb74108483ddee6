#include "scripts/Sqlite.h"

#include <sqlite3.h>

#include <cstdio>

#include "common/Errors.h"

namespace velmo {

namespace {

// What the user can do about a failure, in the program's words.
std::string adviceFor(int code) {
  switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "数据文件正被其他程序使用, 请关闭那个程序后再试.";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
      return "数据文件或其所在的文件夹不允许写入, 请允许写入后再试.";
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_ERROR:
      return "这不是本软件的数据文件或者文件已经损坏, 请重新下载软件.";
    case SQLITE_FULL:
      return "磁盘已满, 请腾出空间后再试.";
    default:
      return "读写磁盘出错, 请检查磁盘后再试.";
  }
}

// The user reads which file failed and what to do; the statement and SQLite's
// own message go to stderr for whoever diagnoses it.
[[noreturn]] void raise(const std::string& path, const std::string& doing,
                        const std::string& message, int code) {
  std::fprintf(stderr, "%s: %s: %s (SQLite error %d)\n", path.c_str(), doing.c_str(),
               message.c_str(), code);
  throw AppError("数据文件 " + path + " 无法读写. " + adviceFor(code));
}

}  // namespace

SqliteConnection::SqliteConnection(std::string path, int busyTimeoutMs) : path_(std::move(path)) {
  // READWRITE without CREATE: a missing file is an error, never a new database.
  const int rc = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK && sqlite3_busy_timeout(db_, busyTimeoutMs) == SQLITE_OK) return;
  const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
  sqlite3_close(db_);
  raise(path_, "open", message, rc);
}

SqliteConnection::~SqliteConnection() { sqlite3_close(db_); }

void SqliteConnection::fail(const std::string& doing) const {
  raise(path_, doing, sqlite3_errmsg(db_), sqlite3_extended_errcode(db_));
}

SqliteStatement::SqliteStatement(const SqliteConnection& connection, const char* sql)
    : connection_(connection), sql_(sql) {
  if (sqlite3_prepare_v2(connection_.handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK)
    connection_.fail(sql_);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

void SqliteStatement::bindText(const char* name, const std::string& value) {
  const int index = sqlite3_bind_parameter_index(stmt_, name);
  if (index == 0) throw AppError(std::string("no parameter ") + name + " in " + sql_);
  if (sqlite3_bind_text64(stmt_, index, value.data(), value.size(), SQLITE_TRANSIENT,
                          SQLITE_UTF8) != SQLITE_OK)
    connection_.fail(sql_);
}

bool SqliteStatement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  connection_.fail(sql_);
}

int SqliteStatement::columnCount() const { return sqlite3_column_count(stmt_); }

std::string SqliteStatement::columnText(int column) const {
  const auto* text = sqlite3_column_text(stmt_, column);
  if (!text) return {};
  return {reinterpret_cast<const char*>(text),
          static_cast<size_t>(sqlite3_column_bytes(stmt_, column))};
}

SqliteTransaction::SqliteTransaction(const SqliteConnection& connection)
    : connection_(connection) {
  SqliteStatement(connection_, "begin immediate").step();
}

SqliteTransaction::~SqliteTransaction() {
  // Nothing to report from here: the error that ended the transaction early
  // is already on its way, and SQLite rolls back by itself when it cannot.
  if (open_) sqlite3_exec(connection_.handle(), "rollback", nullptr, nullptr, nullptr);
}

void SqliteTransaction::commit() {
  SqliteStatement(connection_, "commit").step();
  open_ = false;
}

}  // namespace velmo
