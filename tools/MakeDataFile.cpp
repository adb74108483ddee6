#include "MakeDataFile.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/Utf8.h"

namespace velmo {

// Paths are UTF-8 (SQLite's file names too), never the ANSI code page.
bool MakeDataFile(const std::string& dbPath, const std::string& schemaPath, std::string& error) {
  if (std::filesystem::exists(Utf8Path(dbPath))) return true;
  std::ifstream in(Utf8Path(schemaPath));
  if (!in) {
    error = "cannot read " + schemaPath;
    return false;
  }
  std::stringstream schema;
  schema << in.rdbuf();
  // Build under a temporary name so an interrupted build leaves no half file.
  const std::string temp = dbPath + ".new";
  std::filesystem::remove(Utf8Path(temp));
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  char* message = nullptr;
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema.str().c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) error = message ? message : sqlite3_errmsg(db);
  sqlite3_free(message);
  sqlite3_close(db);
  if (rc != SQLITE_OK) {
    std::filesystem::remove(Utf8Path(temp));
    return false;
  }
  std::filesystem::rename(Utf8Path(temp), Utf8Path(dbPath));
  return true;
}

}  // namespace velmo
