#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "MakeDataFile.h"
#include "scripts/HotkeyFields.h"
#include "scripts/ScriptEditing.h"
#include "settings/ClickerSettings.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

// A program folder of its own with an empty data.db.
struct Folder : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("velmo-editor-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string error;
    ASSERT_TRUE(MakeDataFile((dir / "data.db").string(), VELMO_SCHEMA_FILE, error)) << error;
  }
  void TearDown() override { fs::remove_all(dir); }
};

struct Editor : Folder {
  std::unique_ptr<ScriptStore> store;
  void SetUp() override {
    Folder::SetUp();
    store = std::make_unique<ScriptStore>(dir.string() + "/");
  }
  // data.db is closed before its folder goes: Windows refuses to delete an open file.
  void TearDown() override {
    store.reset();
    Folder::TearDown();
  }
  ScriptDraft draft(const std::string& name, const std::string& loops) {
    return {name, "Ctrl", "F6", loops, {}};
  }
};

struct StopHotkey : Folder {
  std::unique_ptr<ProfileFile> file;
  void SetUp() override {
    Folder::SetUp();
    file = std::make_unique<ProfileFile>((dir / "setting.ini").string());
  }
  std::string stored() const { return file->ReadString("setting", "stophotkey", "<none>"); }
};

}  // namespace

TEST_F(Editor, LoopCountIsCheckedFirstThenTheName) {
  for (const char* loops : {"0", ""}) {
    const auto refusal = SaveScript(draft("", loops), EditorMode::Insert, *store);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, "请输入循环点击次数。");
    EXPECT_EQ(refusal->focus, EditorField::LoopCount);
  }
  const auto refusal = SaveScript(draft("", "3"), EditorMode::Insert, *store);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->message, "请输入多坐标点击的名称.");
  EXPECT_EQ(refusal->focus, EditorField::Name);
  EXPECT_TRUE(store->SelectAll().empty());
}

TEST_F(Editor, OnlyTheSingleZeroIsRefusedAndTheCountIsWrittenAsTyped) {
  EXPECT_FALSE(SaveScript(draft("a", "00"), EditorMode::Insert, *store));
  EXPECT_FALSE(SaveScript(draft("b", "007"), EditorMode::Insert, *store));
  const auto rows = store->SelectAll();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].clicknum, "00");
  EXPECT_EQ(rows[1].clicknum, "007");
}

TEST_F(Editor, InsertWritesTheHotkeyTextAndThePointListInDisplayOrder) {
  ScriptDraft script = draft("脚本", "2");
  script.modifier = "无";
  script.points = {{"100,200", "左键单击", "20"}, {"300,400", "右键双击", "500"}};
  EXPECT_FALSE(SaveScript(script, EditorMode::Insert, *store));
  const auto rows = store->SelectAll();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "脚本");
  EXPECT_EQ(rows[0].hotkey, "F6");
  EXPECT_EQ(rows[0].points, "100,200,左键单击,20|300,400,右键双击,500|");
  EXPECT_EQ(rows[0].clicknum, "2");
}

TEST_F(Editor, AStoredNameIsRefusedBeforeAnythingIsWritten) {
  store->Insert("dup", "F7", "", "1");
  const auto refusal = SaveScript(draft("dup", "1"), EditorMode::Insert, *store);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->message, "名称重复,请选择过其他的名称.");
  EXPECT_EQ(refusal->focus, EditorField::Name);
  EXPECT_EQ(store->SelectAll().size(), 1u);
  EXPECT_FALSE(SaveScript(draft("Dup", "1"), EditorMode::Insert, *store));  // letter case counts
}

TEST_F(Editor, UpdateChangesEveryRowBearingTheNameAndKeepsTheIds) {
  store->Insert("same", "F7", "1,1,无点击,5|", "1");
  store->Insert("other", "F8", "", "1");
  store->Insert("same", "F9", "", "1");
  ScriptDraft script = draft("same", "4");
  script.points = {{"9,9", "左键双击", "30"}};
  EXPECT_FALSE(SaveScript(script, EditorMode::Update, *store));
  const auto rows = store->SelectAll();
  ASSERT_EQ(rows.size(), 3u);
  for (int i : {0, 2}) {
    EXPECT_EQ(rows[i].hotkey, "Ctrl+F6");
    EXPECT_EQ(rows[i].points, "9,9,左键双击,30|");
    EXPECT_EQ(rows[i].clicknum, "4");
  }
  EXPECT_EQ(rows[2].id, "3");
  EXPECT_EQ(rows[1].hotkey, "F8");
}

TEST_F(Editor, AnEmptyPointListIsWrittenAsTheEmptyText) {
  EXPECT_FALSE(SaveScript(draft("empty", "1"), EditorMode::Insert, *store));
  EXPECT_EQ(store->SelectAll()[0].points, "");
}

TEST(MoveTarget, EndsAndNoSelectionGoNowhere) {
  EXPECT_FALSE(MoveTarget(-1, 3, -1));
  EXPECT_FALSE(MoveTarget(-1, 3, +1));
  EXPECT_FALSE(MoveTarget(0, 3, -1));
  EXPECT_FALSE(MoveTarget(2, 3, +1));
  EXPECT_FALSE(MoveTarget(0, 1, +1));
  EXPECT_EQ(MoveTarget(1, 3, -1), 0);
  EXPECT_EQ(MoveTarget(1, 3, +1), 2);
  EXPECT_EQ(MoveTarget(0, 2, +1), 1);
}

TEST_F(StopHotkey, WithNothingStoredTheFieldsShowTheF6InForce) {
  const HotkeyFields fields = LoadStopHotkeyFields(*file);
  EXPECT_EQ(fields.modifier, "无");
  EXPECT_EQ(fields.key, "F6");
}

TEST_F(StopHotkey, StoredTextsComeBackAsTheirFields) {
  file->WriteString("setting", "stophotkey", "Ctrl+Alt+F9");
  EXPECT_EQ(LoadStopHotkeyFields(*file).modifier, "Ctrl+Alt");
  EXPECT_EQ(LoadStopHotkeyFields(*file).key, "F9");
  file->WriteString("setting", "stophotkey", "F10");
  EXPECT_EQ(LoadStopHotkeyFields(*file).modifier, "无");
  file->WriteString("setting", "stophotkey", "");
  EXPECT_EQ(LoadStopHotkeyFields(*file).modifier, "");  // the list keeps its text
  EXPECT_EQ(LoadStopHotkeyFields(*file).key, "");
}

TEST_F(StopHotkey, SaveStoresTheCombinedTextUnchecked) {
  const std::pair<HotkeyFields, const char*> cases[] = {
      {{"无", "F9"}, "F9"},
      {{"Alt", "F3"}, "Alt+F3"},
      {{"Ctrl+Alt", "F12"}, "Ctrl+Alt+F12"},
      {{"Ctrl", "F13"}, "Ctrl+F13"},  // outside F1-F12: stored as typed
  };
  for (const auto& [fields, text] : cases) {
    EXPECT_FALSE(SaveStopHotkey(*file, fields));
    EXPECT_EQ(stored(), text);
    EXPECT_EQ(ReadStopHotkey(*file), text);
  }
}

TEST_F(StopHotkey, AnEmptyKeyIsRefusedAndNothingIsWritten) {
  const auto refusal = SaveStopHotkey(*file, {"Ctrl", ""});
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find("停止热键"), std::string::npos);
  EXPECT_FALSE(fs::exists(file->path()));
  file->WriteString("setting", "stophotkey", "Ctrl+F9");
  EXPECT_TRUE(SaveStopHotkey(*file, {"无", ""}));
  EXPECT_EQ(stored(), "Ctrl+F9");
}
