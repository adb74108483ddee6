#include "MakeDataFile.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmo {

bool MakeDataFile(const std::string& dbPath, const std::string& schemaPath, std::string& error) {
  if (std::filesystem::exists(dbPath)) return true;
  std::ifstream in(schemaPath);
  if (!in) {
    error = "cannot read " + schemaPath;
    return false;
  }
  std::stringstream schema;
  schema << in.rdbuf();
  // Build under a temporary name so an interrupted build leaves no half file.
  const std::string temp = dbPath + ".new";
  std::filesystem::remove(temp);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  char* message = nullptr;
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema.str().c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) error = message ? message : sqlite3_errmsg(db);
  sqlite3_free(message);
  sqlite3_close(db);
  if (rc != SQLITE_OK) {
    std::filesystem::remove(temp);
    return false;
  }
  std::filesystem::rename(temp, dbPath);
  return true;
}

}  // namespace velmo
