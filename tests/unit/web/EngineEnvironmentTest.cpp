#include "web/EngineEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "system/TestFiles.h"

using namespace velmo;

TEST(EngineEnvironment, SetsOnlyWhatTheUserLeftUnsetAndTakesBackOnlyThat) {
  setenv("VELMO_TEST_OWN", "user", 1);
  unsetenv("VELMO_TEST_NEW");
  {
    const ScopedEnvironment scope({{"VELMO_TEST_OWN", "ours"}, {"VELMO_TEST_NEW", "ours"}});
    EXPECT_STREQ(std::getenv("VELMO_TEST_OWN"), "user");
    EXPECT_STREQ(std::getenv("VELMO_TEST_NEW"), "ours");
  }
  EXPECT_STREQ(std::getenv("VELMO_TEST_OWN"), "user");
  EXPECT_EQ(std::getenv("VELMO_TEST_NEW"), nullptr);
  unsetenv("VELMO_TEST_OWN");
}

TEST(EngineEnvironment, NamesTheFirstRenderNodeOrTheUsualOneWhereThereIsNone) {
  const std::filesystem::path folder = velmo::testing::MakeTempFolder("velmo-dri");
  const auto deviceIn = [&] {
    std::map<std::string, std::string> settings;
    for (const auto& [name, value] : QuietEngineSettings(folder.string())) settings[name] = value;
    EXPECT_EQ(settings.at("WEBKIT_DISABLE_COMPOSITING_MODE"), "1");
    return settings.at("WEBKIT_WEB_RENDER_DEVICE_FILE");
  };
  EXPECT_EQ(deviceIn(), (folder / "renderD128").string());
  for (const char* name : {"card0", "renderD130", "renderD129"}) std::ofstream(folder / name);
  EXPECT_EQ(deviceIn(), (folder / "renderD129").string());
  std::filesystem::remove_all(folder);
}
