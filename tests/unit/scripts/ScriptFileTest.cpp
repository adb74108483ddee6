#include <gtest/gtest.h>

#include "scripts/ScriptFile.h"
#include "scripts/ScriptSharing.h"

using namespace velmo;

namespace {

const ScriptRecord kThreePoints = {"", "三个点", "Ctrl+F5",
                                   "100,100,左键单击,20|-200,150,右键单击,20|", "1"};

int wrongLine(const std::string& text) {
  try {
    ReadScriptFile(text);
  } catch (const ScriptFileError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("第" + std::to_string(error.line) + "行: ", 0), 0u);
    return error.line;
  }
  return 0;
}

}  // namespace

TEST(ScriptFile, WritesTheDocumentedForm) {
  EXPECT_EQ(WriteScriptFile({kThreePoints}),
            "velmo-scripts 1\n\n[script]\nname=三个点\nhotkey=Ctrl+F5\nloops=1\n"
            "point=100,100,左键单击,20\npoint=-200,150,右键单击,20\n");
}

TEST(ScriptFile, EveryFieldComesBackExactly) {
  const std::vector<ScriptRecord> scripts = {
      kThreePoints,
      {"", " a=b\\c\nd\r# ", "Alt+F1", "", "007"},
      {"", "[script]", "F2", " 1,2,无点击,5||\"x\",\\n,1,2|", "3"},
  };
  const std::vector<ScriptRecord> back = ReadScriptFile(WriteScriptFile(scripts));
  ASSERT_EQ(back.size(), scripts.size());
  for (size_t i = 0; i < scripts.size(); ++i) {
    EXPECT_EQ(back[i].name, scripts[i].name);
    EXPECT_EQ(back[i].hotkey, scripts[i].hotkey);
    EXPECT_EQ(back[i].points, scripts[i].points);
    EXPECT_EQ(back[i].clicknum, scripts[i].clicknum);
  }
}

TEST(ScriptFile, ReadsWhatAPersonOrAnotherSystemWrites) {
  const auto scripts = ReadScriptFile(
      "\xEF\xBB\xBFvelmo-scripts 1\r\n# 备份\r\n[script]\r\nloops=2\r\nhotkey=F3\r\n"
      "name=甲\r\npoint=1,1,左键双击,5\r\n\r\n[script]\r\nname=乙\r\nhotkey=F4\r\nloops=1");
  ASSERT_EQ(scripts.size(), 2u);
  EXPECT_EQ(scripts[0].name, "甲");
  EXPECT_EQ(scripts[0].points, "1,1,左键双击,5|");
  EXPECT_EQ(scripts[0].clicknum, "2");
  EXPECT_EQ(scripts[1].points, "");
  EXPECT_TRUE(ReadScriptFile("velmo-scripts 1\n").empty());
}

TEST(ScriptFile, MalformedFileIsRefusedAtItsWrongLine) {
  const std::string head = "velmo-scripts 1\n[script]\nname=a\nhotkey=F1\n";
  const std::pair<std::string, int> cases[] = {
      {"velmo-scripts 2\n", 1},
      {"name=a\n", 1},
      {"velmo-scripts 1\nname=a\n[script]\n", 2},
      {head + "loops=1\npoint=1,1,左键单击,5|2,2,左键单击,5\n", 6},
      {head + "loops=1\nname=b\n", 6},
      {head + "loops=1\ncolor=red\n", 6},
      {head + "loops 1\n", 5},
      {head + "loops=0\n", 5},
      {head + "loops=1x\n", 5},
      {head + "loops=1\npoint=a\\tb\n", 6},
      {"velmo-scripts 1\n[script]\nname=\n", 3},
      {head + "loops=1\npoint=\xE4\xB8\n", 6},
      {head + "loops=1\n\n[script]\nname=b\nloops=1\n", 7},  // the second block: no hotkey
      {head + "point=1,1,左键单击,5\n", 2},         // the last block has no loops
  };
  for (const auto& [text, line] : cases) EXPECT_EQ(wrongLine(text), line) << text;
}

TEST(ScriptFile, TakenNamesGetTheFirstFreeNumber) {
  EXPECT_EQ(UniqueName("甲", {"乙"}), "甲");
  EXPECT_EQ(UniqueName("甲", {"甲", "甲(2)", "甲(4)"}), "甲(3)");
}
