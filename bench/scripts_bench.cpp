// Figures for the multi-point scripts: decoding a long point list, the
// runner's own cost per point, and reading the script table. Prints figures;
// judges nothing.
#include <sqlite3.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "scripts/PointList.h"
#include "scripts/ScriptRunner.h"
#include "scripts/ScriptStore.h"

using namespace velmo;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string pointList(int points) {
  std::vector<PointRow> rows;
  for (int i = 0; i < points; ++i)
    rows.push_back({std::to_string(i % 1920) + "," + std::to_string(i % 1080), "左键单击", "0"});
  return EncodePointList(rows);
}

struct NoMouse : Mouse {
  void mouseEvent(unsigned) override {}
  void SetCursorPos(int, int) override {}
  CursorPoint GetCursorPos() override { return {}; }
  void keybdEvent(unsigned, unsigned) override {}
  bool ownWindowFromPoint(CursorPoint) override { return false; }
  bool ownWindowFocused() override { return false; }
  bool elevatedWindowFromPoint(CursorPoint) override { return false; }
  void flush() override {}
};
// Its clock jumps to each deadline: a pause costs nothing.
struct NoPump : EventPump {
  void ProcessMessages() override {}
  void WaitMessages(SteadyTime until) override { clock = until; }
  SteadyTime now() override { return clock; }
  SteadyTime clock;
};
struct NoBoxes : MessageBoxes {
  int MessageBoxA(WindowRef, const std::string&, const std::string&, unsigned) override {
    return kIdOk;
  }
};

void benchDecode() {
  const std::string text = pointList(100000);
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    const auto entries = DecodePointList(text);
    const double ms = msSince(start);
    std::printf("DecodePointList: %zu points, %zu bytes: %.1f ms (%.0f ns/point)\n",
                entries.size(), text.size(), ms, ms * 1e6 / entries.size());
  }
}

void benchRunner() {
  NoMouse mouse;
  NoPump pump;
  NoBoxes boxes;
  std::string stopRequested;
  ScriptRunner runner(mouse, pump, boxes, nullptr, stopRequested);
  const int points = 100000;
  const std::string text = pointList(points);
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    runner.RunScript(text, 1);
    const double ms = msSince(start);
    std::printf("RunScript: %d points, 0 ms pauses, no-op platform: %.1f ms (%.0f ns/point)\n",
                points, ms, ms * 1e6 / points);
  }
}

void check(bool ok, sqlite3* db, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
  std::exit(1);
}

void fillTable(const fs::path& file, int rows) {
  sqlite3* db = nullptr;
  check(sqlite3_open(file.c_str(), &db) == SQLITE_OK, db, "open");
  std::ifstream schema(VELMO_SCHEMA_FILE);
  const std::string sql(std::istreambuf_iterator<char>(schema), {});
  check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK, db, "schema");
  sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  check(sqlite3_prepare_v2(db, "insert into mplist (mpname,hotkey,mpoint,clicknum) values (?,?,?,?)",
                           -1, &insert, nullptr) == SQLITE_OK,
        db, "prepare");
  const std::string points = pointList(20);
  for (int i = 0; i < rows; ++i) {
    const std::string name = "脚本" + std::to_string(i);
    sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 2, "Ctrl+F9", -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 3, points.c_str(), -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 4, "10", -1, SQLITE_STATIC);
    check(sqlite3_step(insert) == SQLITE_DONE, db, "insert");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr) == SQLITE_OK, db, "commit");
  sqlite3_close(db);
}

void benchStore() {
  std::string name = (fs::temp_directory_path() / "velmo-bench-XXXXXX").string();
  if (!mkdtemp(name.data())) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  const fs::path folder = name;
  const int rows = 10000;
  fillTable(folder / "data.db", rows);
  ScriptStore store(folder.string());
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    const auto records = store.SelectAll();
    std::printf("SelectAll: %zu rows of 20 points%s: %.1f ms\n", records.size(),
                round == 0 ? " (opens the connection)" : "", msSince(start));
  }
  const int inserts = 100;
  const auto start = Clock::now();
  for (int i = 0; i < inserts; ++i) store.Insert("新脚本" + std::to_string(i), "F6", "", "1");
  std::printf("Insert (each its own commit): %.2f ms per row\n", msSince(start) / inserts);
  fs::remove_all(folder);
}

}  // namespace

int main() {
  benchDecode();
  benchRunner();
  benchStore();
}
