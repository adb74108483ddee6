#include "scripts/ScriptStore.h"

#include <cstdio>
#include <filesystem>

#include "common/Errors.h"
#include "common/Utf8.h"

namespace velmo {

namespace {

constexpr const char* kSelectAll = "select * from [mplist]";
constexpr const char* kDeleteById = "delete from [mplist] where id=:a";
constexpr const char* kSelectByName = "select * from [mplist] where mpname=:a";
constexpr const char* kInsert =
    "insert into [mplist] (mpname,hotkey,mpoint,clicknum) values (:a,:b,:c,:d)";
constexpr const char* kUpdate =
    "update [mplist] set hotkey=:a,mpoint=:b,clicknum=:d where mpname=:c";

constexpr int kColumns = 5;

ScriptRecord readRecord(const SqliteStatement& query) {
  return {query.columnText(0), query.columnText(1), query.columnText(2), query.columnText(3),
          query.columnText(4)};
}

}  // namespace

// Joined with the system's separator, so paths in messages are written one way.
std::string DataFilePath(const std::string& folder) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + "data.db";
  return folder + static_cast<char>(std::filesystem::path::preferred_separator) + "data.db";
}

bool DataFileExists(const std::string& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(Utf8Path(DataFilePath(folder)), error);
}

const SqliteConnection& ScriptStore::connection() {
  if (!con1_) con1_ = std::make_unique<SqliteConnection>(path_, busyTimeoutMs_);
  return *con1_;
}

std::vector<ScriptRecord> ScriptStore::SelectAll() {
  SqliteStatement query(connection(), kSelectAll);
  // The list reads columns by position; a table of another shape must fail
  // here rather than show empty cells.
  if (query.columnCount() < kColumns) {
    std::fprintf(stderr, "%s: table mplist has %d columns\n", path_.c_str(), query.columnCount());
    throw AppError("数据文件 " + path_ + " 无法读写. 这不是本软件的数据文件, 请重新下载软件.");
  }
  std::vector<ScriptRecord> records;
  while (query.step()) records.push_back(readRecord(query));
  return records;
}

void ScriptStore::DeleteById(const std::string& idText) {
  SqliteStatement command(connection(), kDeleteById);
  command.bindText(":a", idText);
  command.step();
}

bool ScriptStore::NameExists(const std::string& name) {
  SqliteStatement query(connection(), kSelectByName);
  query.bindText(":a", name);
  return query.step();
}

void ScriptStore::Insert(const std::string& name, const std::string& hotkey,
                         const std::string& points, const std::string& clicknum) {
  SqliteStatement command(connection(), kInsert);
  command.bindText(":a", name);
  command.bindText(":b", hotkey);
  command.bindText(":c", points);
  command.bindText(":d", clicknum);
  command.step();
}

void ScriptStore::InsertAll(const std::vector<ScriptRecord>& scripts) {
  SqliteTransaction transaction(connection());
  for (const ScriptRecord& s : scripts) Insert(s.name, s.hotkey, s.points, s.clicknum);
  transaction.commit();
}

void ScriptStore::Update(const std::string& name, const std::string& hotkey,
                         const std::string& points, const std::string& clicknum) {
  SqliteStatement command(connection(), kUpdate);
  command.bindText(":a", hotkey);
  command.bindText(":b", points);
  command.bindText(":c", name);
  command.bindText(":d", clicknum);
  command.step();
}

}  // namespace velmo
