#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

#include "common/Errors.h"
#include "scripts/PointList.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptSharing.h"
#include "scripts/ScriptStore.h"
#include "system/TestFiles.h"

using namespace velmo;
using velmo::testing::Unwritable;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// SQLite takes UTF-8 file names on every system.
std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

void exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  ASSERT_EQ(rc, SQLITE_OK) << message;
}

// A second connection, like another process sharing data.db.
struct OtherConnection {
  sqlite3* db = nullptr;
  explicit OtherConnection(const fs::path& path) { sqlite3_open(utf8(path).c_str(), &db); }
  ~OtherConnection() { sqlite3_close(db); }
};

struct Store : ::testing::Test {
  fs::path folder;
  fs::path file;

  void SetUp() override {
    folder = velmo::testing::MakeTempFolder("velmo-store-");
    file = folder / "data.db";
  }
  void TearDown() override { fs::remove_all(folder); }

  void createFromSchema() {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(utf8(file).c_str(), &db), SQLITE_OK);
    exec(db, readFile(VELMO_SCHEMA_FILE));
    sqlite3_close(db);
  }
  std::vector<std::string> ids(ScriptStore& store) {
    std::vector<std::string> out;
    for (const auto& record : store.SelectAll()) out.push_back(record.id);
    return out;
  }
  std::string expectFailure(const std::function<void()>& statement) {
    try {
      statement();
    } catch (const AppError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(file.string()), std::string::npos) << message;
      // The statement and SQLite's English stay on stderr.
      for (const char* internal : {"mplist", "SQL", "database", "sqlite"})
        EXPECT_EQ(message.find(internal), std::string::npos) << message;
      return message;
    }
    ADD_FAILURE() << "no AppError";
    return {};
  }
};

}  // namespace

TEST_F(Store, TextsTravelUnchangedAsParameters) {
  createFromSchema();
  ScriptStore store(folder.string());
  const std::string name = R"(O'Neil "[x]"; drop table mplist; --)";
  const std::string points = EncodePointList({{"100,200", "左键单击", "20"}});
  store.Insert(name, "Ctrl+Alt+F9", points, "007");
  store.Insert("空脚本", "F6", "", "1");
  const auto records = store.SelectAll();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].id, "1");
  EXPECT_EQ(records[0].name, name);
  EXPECT_EQ(records[0].hotkey, "Ctrl+Alt+F9");
  EXPECT_EQ(records[0].points, points);
  EXPECT_EQ(records[0].clicknum, "007");  // the digits as written, not a number
  EXPECT_EQ(records[1].points, "");
  EXPECT_TRUE(store.NameExists(name));
  EXPECT_FALSE(store.NameExists("O'Neil"));
}

TEST_F(Store, UpdateFindsTheRowByExactNameAndBindsByName) {
  createFromSchema();
  ScriptStore store(folder.string());
  store.Insert("Abc", "F1", "1,2,无点击,5|", "1");
  EXPECT_FALSE(store.NameExists("abc"));
  store.Update("abc", "F2", "", "9");  // another case is another name
  EXPECT_EQ(store.SelectAll()[0].hotkey, "F1");
  store.Update("Abc", "Alt+F3", "", "12");
  const auto record = store.SelectAll().at(0);
  EXPECT_EQ(record.name, "Abc");
  EXPECT_EQ(record.hotkey, "Alt+F3");
  EXPECT_EQ(record.points, "");
  EXPECT_EQ(record.clicknum, "12");
}

TEST_F(Store, DeleteByIdTextAndIdsAscendNeverReused) {
  createFromSchema();
  ScriptStore store(folder.string());
  for (const char* name : {"c", "b", "a"}) store.Insert(name, "F6", "", "1");
  store.DeleteById("2");
  store.DeleteById("99");
  EXPECT_EQ(ids(store), (std::vector<std::string>{"1", "3"}));
  store.DeleteById("3");  // the highest id: a plain rowid would hand 3 out again
  store.Insert("d", "F6", "", "1");
  store.Insert("e", "F6", "", "1");
  EXPECT_EQ(ids(store), (std::vector<std::string>{"1", "4", "5"}));
}

TEST_F(Store, MissingFileIsAnErrorNeverCreatedAndRetriedLater) {
  ScriptStore store(folder.string());
  EXPECT_FALSE(DataFileExists(folder.string()));
  expectFailure([&] { store.SelectAll(); });
  EXPECT_FALSE(fs::exists(file));
  createFromSchema();
  EXPECT_TRUE(DataFileExists(folder.string() + "/"));
  // One separator, the system's: no "C:\\x/data.db" in messages on Windows.
  EXPECT_EQ(DataFilePath(folder.string()), file.string());
  EXPECT_TRUE(store.SelectAll().empty());
}

TEST_F(Store, FileThatIsNoSqliteDatabaseIsLeftUntouched) {
  std::string bytes("\0\x01\0\0Standard Jet DB\0", 20);
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919) >> 3);
  std::ofstream(file, std::ios::binary) << bytes;
  ScriptStore store(folder.string());
  const std::string message = expectFailure([&] { store.SelectAll(); });
  EXPECT_NE(message.find("不是本软件的数据文件"), std::string::npos) << message;
  expectFailure([&] { store.Insert("a", "F6", "", "1"); });
  EXPECT_EQ(readFile(file), bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}

TEST_F(Store, TableOfAnotherShapeIsAnError) {
  OtherConnection other(file);
  exec(other.db, "create table mplist (id integer primary key, mpname text)");
  ScriptStore store(folder.string());
  expectFailure([&] { store.SelectAll(); });
}

TEST_F(Store, LockedDatabaseIsWaitedForThenAnError) {
  createFromSchema();
  OtherConnection other(file);
  exec(other.db, "begin exclusive");
  ScriptStore impatient(folder.string(), 100);
  const std::string message = expectFailure([&] { impatient.Insert("a", "F6", "", "1"); });
  EXPECT_NE(message.find("正被其他程序使用"), std::string::npos) << message;
  expectFailure([&] { impatient.SelectAll(); });

  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    exec(other.db, "commit");
  });
  ScriptStore patient(folder.string(), 5000);
  EXPECT_NO_THROW(patient.Insert("a", "F6", "", "1"));
  release.join();
  EXPECT_EQ(patient.SelectAll().size(), 1u);
}

TEST_F(Store, ReadOnlyFileOrFolderReadsButRefusesWrites) {
  createFromSchema();
  ScriptStore(folder.string()).Insert("a", "F6", "", "1");
  for (const fs::path& target : {file, folder}) {
    const Unwritable guard(target);
    if (!guard.ok()) GTEST_SKIP() << "cannot make " << target << " read-only here";
    ScriptStore store(folder.string());
    EXPECT_EQ(store.SelectAll().size(), 1u) << target;
    const std::string message = expectFailure([&] { store.Insert("b", "F6", "", "1"); });
    EXPECT_NE(message.find("不允许写入"), std::string::npos) << message;
    expectFailure([&] { store.DeleteById("1"); });
    EXPECT_EQ(store.SelectAll().size(), 1u) << target;
  }
}

TEST_F(Store, ImportAddsNumberedNamesAndExportThenImportGivesIdenticalRows) {
  createFromSchema();
  ScriptStore store(folder.string());
  store.Insert("甲", "Ctrl+F5", "-100,200,左键单击,20|1,1,无点击,5|", "007");
  store.Insert("乙", "F7", "", "1");
  const std::string file = WriteScriptFile(ScriptsToExport(store, {}));
  EXPECT_EQ(ImportScripts(store, file), (std::vector<std::string>{"甲(2)", "乙(2)"}));
  const auto rows = store.SelectAll();
  ASSERT_EQ(rows.size(), 4u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(rows[i + 2].name, rows[i].name + "(2)");
    EXPECT_EQ(rows[i + 2].hotkey, rows[i].hotkey);
    EXPECT_EQ(rows[i + 2].points, rows[i].points);
    EXPECT_EQ(rows[i + 2].clicknum, rows[i].clicknum);
  }
  EXPECT_EQ(ScriptsToExport(store, {"乙(2)", "甲"}).size(), 2u);
  EXPECT_THROW(ScriptsToExport(store, {"甲", "丙"}), AppError);
}

TEST_F(Store, RefusedOrFailedImportAddsNothing) {
  createFromSchema();
  ScriptStore store(folder.string());
  const std::string good = "velmo-scripts 1\n[script]\nname=a\nhotkey=F1\nloops=1\n";
  EXPECT_THROW(ImportScripts(store, good + "[script]\nname=b\n"), ScriptFileError);
  EXPECT_TRUE(store.SelectAll().empty());
  {
    OtherConnection other(file);
    exec(other.db, "create trigger refuse before insert on mplist when new.mpname='b' "
                   "begin select raise(abort, 'refused'); end");
  }
  EXPECT_THROW(ImportScripts(store, good + "[script]\nname=b\nhotkey=F2\nloops=1\n"), AppError);
  EXPECT_TRUE(store.SelectAll().empty());
  EXPECT_EQ(ImportScripts(store, good).size(), 1u);  // the store works on afterwards
}
