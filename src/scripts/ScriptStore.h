// The script table [mplist] in data.db beside the program, and the only
// statements the program runs on it. Every value crosses as text.
//
// Table design (assets/data.sql): `id INTEGER PRIMARY KEY AUTOINCREMENT` makes
// the id the rowid, and the table has no other index, so the plain select
// scans in rowid order: ascending id, which is the order of insertion.
// AUTOINCREMENT also keeps ids of deleted rows from ever coming back, so a
// hotkey still registered under a deleted script's id can never start a
// newer script.
//
// Names compare with SQLite's default BINARY collation (exact bytes, letter
// case counts) in both the name lookup and the update, so a name the lookup
// did not find identifies exactly the row that the insert then creates.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scripts/Sqlite.h"

namespace velmo {

// One row of [mplist], columns 0 to 4, each converted to text.
struct ScriptRecord {
  std::string id;
  std::string name;
  std::string hotkey;
  std::string points;    // encoded point list, may be empty
  std::string clicknum;  // loop count as written
};

inline constexpr int kDefaultBusyTimeoutMs = 3000;

// `folder` joined with "data.db"; a trailing separator on `folder` is kept.
std::string DataFilePath(const std::string& folder);

// Whether data.db exists in `folder` (checked at start-up; the program never
// creates it).
bool DataFileExists(const std::string& folder);

// The data module's connection con1 and its statements. The connection opens
// on the first statement and then stays open; a failed open is tried again by
// the next statement. Every failure raises AppError.
class ScriptStore {
 public:
  explicit ScriptStore(const std::string& folder, int busyTimeoutMs = kDefaultBusyTimeoutMs)
      : path_(DataFilePath(folder)), busyTimeoutMs_(busyTimeoutMs) {}

  const std::string& path() const { return path_; }

  // "select * from [mplist]": every row in ascending id order.
  std::vector<ScriptRecord> SelectAll();
  // "delete from [mplist] where id=:a" with the id's decimal text.
  void DeleteById(const std::string& idText);
  // "select * from [mplist] where mpname=:a": whether it returned a row.
  bool NameExists(const std::string& name);
  // "insert into [mplist] (mpname,hotkey,mpoint,clicknum) values (:a,:b,:c,:d)"
  void Insert(const std::string& name, const std::string& hotkey, const std::string& points,
              const std::string& clicknum);
  // The insert above for each script in turn, all in one transaction: every
  // row is added or, on an error, none.
  void InsertAll(const std::vector<ScriptRecord>& scripts);
  // "update [mplist] set hotkey=:a,mpoint=:b,clicknum=:d where mpname=:c"
  void Update(const std::string& name, const std::string& hotkey, const std::string& points,
              const std::string& clicknum);

 private:
  const SqliteConnection& connection();

  std::string path_;
  int busyTimeoutMs_;
  std::unique_ptr<SqliteConnection> con1_;
};

}  // namespace velmo
