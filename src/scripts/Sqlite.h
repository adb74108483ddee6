// Small owners of an SQLite connection and statement. Every failure raises
// AppError naming the file and what the user can do about it; the statement
// and SQLite's own message are written to stderr.
#pragma once

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace velmo {

class SqliteConnection {
 public:
  // Opens an existing database file; never creates one. A file that the
  // system lets us only read opens read-only: reads work, writes fail. A
  // statement that meets another connection's lock retries for up to
  // `busyTimeoutMs` before it fails.
  SqliteConnection(std::string path, int busyTimeoutMs);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  sqlite3* handle() const { return db_; }
  const std::string& path() const { return path_; }

  // Raises AppError for the last call on this connection, `doing` (the
  // statement) and SQLite's message on stderr.
  [[noreturn]] void fail(const std::string& doing) const;

 private:
  std::string path_;
  sqlite3* db_ = nullptr;
};

class SqliteStatement {
 public:
  SqliteStatement(const SqliteConnection& connection, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Binds a named parameter (":a") as text. Names, not positions: SQLite
  // numbers parameters in order of first appearance.
  void bindText(const char* name, const std::string& value);

  // Runs to the next row; false when the statement is done.
  bool step();

  int columnCount() const;
  // The column's value converted to text; NULL reads as the empty text.
  std::string columnText(int column) const;

 private:
  const SqliteConnection& connection_;
  std::string sql_;
  sqlite3_stmt* stmt_ = nullptr;
};

// A transaction on the connection: "begin immediate" when made, "commit" by
// commit(); one that ends uncommitted (an error on the way) is rolled back,
// so its statements leave nothing behind.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(const SqliteConnection& connection);
  ~SqliteTransaction();
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;

  void commit();

 private:
  const SqliteConnection& connection_;
  bool open_ = true;
};

}  // namespace velmo
