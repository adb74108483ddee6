// A main window on the fake platform, in a temporary program folder that is
// also the working directory.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "MakeDataFile.h"
#include "app/U_Main.h"
#include "fakes/FakePlatform.h"
#include "web/WebAddresses.h"
#include "widgets/WxText.h"

namespace velmo::test {

struct MainWindowFixture : ::testing::Test {
  std::filesystem::path dir;
  std::filesystem::path previousCwd;
  fake::FakePlatform p;
  TFrm_Main* main = nullptr;
  std::unique_ptr<Tdm1> dm1;
  bool withDataFile = true;
  bool terminateRequested = false;

  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("velmo-gui-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    previousCwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);
  }
  void TearDown() override {
    // The window goes before the fake platform it holds references to.
    if (main) {
      main->Destroy();
      wxTheApp->ProcessIdle();
    }
    dm1.reset();
    std::filesystem::current_path(previousCwd);
    std::filesystem::remove_all(dir);
  }
  // Windows in start-up order: the main window, then the data module.
  void create() {
    const std::string folder = dir.string() + "/";
    main = new TFrm_Main(p.platform, PortableFolders(folder));
    std::string error;
    if (withDataFile) {
      ASSERT_TRUE(MakeDataFile(folder + "data.db", VELMO_SCHEMA_FILE, error)) << error;
    }
    dm1 = std::make_unique<Tdm1>(folder, p.boxes, p.shell,
                                 MissingDataPages{DownloadSiteAddress(), ErrorReportAddress()},
                                 [this] { terminateRequested = true; });
    main->useDataModule(*dm1);
  }
  void start() {
    if (!main) create();
    main->FormShow();
  }
  void writeSettings(const std::string& bytes) {
    std::ofstream(dir / "setting.ini", std::ios::binary) << bytes;
  }
  std::string settingsBytes() const {
    std::ifstream in(dir / "setting.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string status(int panel) const { return ToUtf8(main->stat1->GetStatusText(panel)); }
};

}  // namespace velmo::test
