#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/DataFolders.h"
#include "common/Errors.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

StartPlace placeWith(bool holdsData, bool templateExists, bool writable) {
  StartPlace place;
  place.exeDir = "/opt/v/bin/";
  place.exeDirHoldsDataFile = holdsData;
  place.templateExists = templateExists;
  place.exeDirWritable = writable;
  place.home = "/home/u";
  return place;
}

std::string contentOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(DataFolders, PortableWhereDataIsBesideTheProgramOrNothingWasPackaged) {
  for (const StartPlace& place : {placeWith(true, true, false), placeWith(true, false, false),
                                  placeWith(false, false, true)}) {
    const DataFolders folders = ChooseDataFolders(place);
    EXPECT_FALSE(folders.installed);
    EXPECT_EQ(folders.settingsFile, "/opt/v/bin/setting.ini");
    EXPECT_EQ(folders.dataDir, "/opt/v/bin/");
    // main.ini stays in the working directory, as before.
    EXPECT_EQ(folders.firstRunCopyFrom, "setting.ini");
    EXPECT_EQ(folders.firstRunCopyTo, "main.ini");
  }
}

TEST(DataFolders, InstalledKeepsItsFilesInTheUsersFolders) {
  // A writable folder with the packaged files beside it is still an install:
  // root, or a prefix in the user's home.
  for (const StartPlace& place : {placeWith(false, true, true), placeWith(false, true, false),
                                  placeWith(false, false, false)}) {
    const DataFolders folders = ChooseDataFolders(place);
    EXPECT_TRUE(folders.installed);
    EXPECT_EQ(folders.settingsFile, "/home/u/.config/velmo/setting.ini");
    EXPECT_EQ(folders.firstRunCopyFrom, "/home/u/.config/velmo/setting.ini");
    EXPECT_EQ(folders.firstRunCopyTo, "/home/u/.config/velmo/main.ini");
    EXPECT_EQ(folders.dataDir, "/home/u/.local/share/velmo/");
    EXPECT_EQ(folders.templateFile, "/opt/v/bin/../share/velmo/data.db");
  }
}

TEST(DataFolders, XdgFoldersWinOverHomeUnlessRelative) {
  StartPlace place = placeWith(false, true, false);
  place.xdgConfigHome = "/cfg/";
  place.xdgDataHome = "/data";
  DataFolders folders = ChooseDataFolders(place);
  EXPECT_EQ(folders.settingsFile, "/cfg/velmo/setting.ini");
  EXPECT_EQ(folders.dataDir, "/data/velmo/");

  place.xdgConfigHome = "cfg";
  folders = ChooseDataFolders(place);
  EXPECT_EQ(folders.settingsFile, "/home/u/.config/velmo/setting.ini");

  place.home.clear();
  EXPECT_THROW(ChooseDataFolders(place), AppError);
}

struct PrepareTest : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velmo-folders-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "usr/bin");
    fs::create_directories(dir / "usr/share/velmo");
    std::ofstream(dir / "usr/share/velmo/data.db", std::ios::binary) << "template";
  }
  void TearDown() override { fs::remove_all(dir); }
  DataFolders installed() {
    StartPlace place = InspectStartPlace((dir / "usr/bin").string() + "/");
    place.home = (dir / "home").string();
    return ChooseDataFolders(place);
  }
};

TEST_F(PrepareTest, FirstStartCopiesTheTemplateOnceAndNeverOverwrites) {
  const DataFolders folders = installed();
  ASSERT_TRUE(folders.installed);
  PrepareDataFolders(folders);
  const fs::path data = dir / "home/.local/share/velmo/data.db";
  EXPECT_EQ(contentOf(data), "template");
  EXPECT_EQ(fs::status(dir / "home/.config/velmo").permissions(), fs::perms::owner_all);
  EXPECT_TRUE(fs::is_directory(dir / "home/.config/velmo"));

  std::ofstream(data, std::ios::binary) << "the user's scripts";
  PrepareDataFolders(installed());
  EXPECT_EQ(contentOf(data), "the user's scripts");
  EXPECT_FALSE(fs::exists(dir / "home/.local/share/velmo/data.db.part"));
}

TEST_F(PrepareTest, MissingTemplateLeavesTheDataFileMissing) {
  fs::remove(dir / "usr/share/velmo/data.db");
  // Without a template the root-owned test folder reads as writable, so the
  // choice is made here as for a user who may not write it.
  StartPlace place = InspectStartPlace((dir / "usr/bin").string() + "/");
  EXPECT_FALSE(place.templateExists);
  place.exeDirWritable = false;
  place.home = (dir / "home").string();
  PrepareDataFolders(ChooseDataFolders(place));
  EXPECT_TRUE(fs::is_directory(dir / "home/.local/share/velmo"));
  EXPECT_FALSE(fs::exists(dir / "home/.local/share/velmo/data.db"));
}

TEST_F(PrepareTest, DataBesideTheProgramMakesItPortable) {
  std::ofstream(dir / "usr/bin/data.db", std::ios::binary) << "scripts";
  const DataFolders folders = installed();
  EXPECT_FALSE(folders.installed);
  PrepareDataFolders(folders);
  EXPECT_FALSE(fs::exists(dir / "home"));
}
