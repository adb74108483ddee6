#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/Errors.h"
#include "settings/DataFolders.h"
#include "system/TestFiles.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

StartPlace placeWith(bool holdsData, bool templateExists, bool writable) {
  StartPlace place{"/opt/v/bin/", holdsData, templateExists, writable, {}};
  place.user.home = "/home/u";
  return place;
}

}  // namespace

TEST(DataFolders, DataBesideTheProgramOrAWritableUnpackagedFolderIsPortable) {
  for (const StartPlace& place : {placeWith(true, true, false), placeWith(false, false, true)}) {
    const DataFolders folders = ChooseDataFolders(place);
    EXPECT_FALSE(folders.installed);
    EXPECT_EQ(folders.settingsFile, "/opt/v/bin/setting.ini");
    EXPECT_EQ(folders.dataDir, "/opt/v/bin/");
    EXPECT_EQ(folders.firstRunCopyTo, "main.ini");  // in the working folder, as before
  }
  // Packaged files win over a writable folder: root, or a prefix in the home.
  for (const StartPlace& place : {placeWith(false, true, true), placeWith(false, false, false)}) {
    const DataFolders folders = ChooseDataFolders(place);
    EXPECT_TRUE(folders.installed);
    EXPECT_EQ(folders.settingsFile, "/home/u/.config/velmo/setting.ini");
    EXPECT_EQ(folders.firstRunCopyTo, "/home/u/.config/velmo/main.ini");
    EXPECT_EQ(folders.dataDir, "/home/u/.local/share/velmo/");
    EXPECT_EQ(folders.templateFile, "/opt/v/bin/../share/velmo/data.db");
  }
}

TEST(DataFolders, XdgFoldersWinOverHomeUnlessRelative) {
  StartPlace place = placeWith(false, true, false);
  place.user.xdgConfigHome = "/cfg/";
  place.user.xdgDataHome = "/data";
  EXPECT_EQ(ChooseDataFolders(place).settingsFile, "/cfg/velmo/setting.ini");
  EXPECT_EQ(ChooseDataFolders(place).dataDir, "/data/velmo/");
  place.user.xdgConfigHome = "cfg";
  EXPECT_EQ(ChooseDataFolders(place).settingsFile, "/home/u/.config/velmo/setting.ini");
  place.user.home.clear();
  EXPECT_THROW(ChooseDataFolders(place), AppError);
}

TEST(DataFolders, WindowsKeepsAnInstalledCopysFilesInTheApplicationDataFolder) {
  StartPlace place{"C:\\P\\Velmo\\", false, true, true, {true, "C:\\U\\应用数据\\", {}, {}, {}}};
  const DataFolders folders = ChooseDataFolders(place);
  EXPECT_EQ(folders.settingsFile, "C:\\U\\应用数据\\Velmo\\setting.ini");
  EXPECT_EQ(folders.firstRunCopyTo, "C:\\U\\应用数据\\Velmo\\main.ini");
  EXPECT_EQ(folders.dataDir, "C:\\U\\应用数据\\Velmo\\");
  EXPECT_EQ(folders.templateFile, "C:\\P\\Velmo\\template\\data.db");
  place.user.appData.clear();
  EXPECT_THROW(ChooseDataFolders(place), AppError);
}

TEST(DataFolders, FirstStartCopiesTheTemplateIntoPrivateFoldersAndNeverOverwrites) {
  const fs::path dir = fs::temp_directory_path() / ("velmo-folders-" + std::to_string(::getpid()));
  fs::create_directories(dir / "usr/bin");
  fs::create_directories(dir / "usr/share/velmo");
  std::ofstream(dir / "usr/share/velmo/data.db") << "template";
  // The Linux layout on every system, on real files.
  StartPlace place{(dir / "usr/bin").string() + "/", false, true, false, {}};
  place.user.home = (dir / "home").string();
  const DataFolders folders = ChooseDataFolders(place);
  ASSERT_TRUE(folders.installed);
  const fs::path data = dir / "home/.local/share/velmo/data.db";
  const auto content = [&] {
    std::ifstream in(data);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };

  PrepareDataFolders(folders);
  EXPECT_EQ(content(), "template");
  if (velmo::testing::HasPermissionBits()) {
    EXPECT_EQ(fs::status(dir / "home/.config/velmo").permissions(), fs::perms::owner_all);
  }
  std::ofstream(data) << "the user's scripts";
  PrepareDataFolders(folders);
  EXPECT_EQ(content(), "the user's scripts");
  fs::remove_all(dir);
}
