#include "platform/sway/SwayConfig.h"

#include <gtest/gtest.h>

namespace velmo::sway {

TEST(SwayConfigTest, FindsTheUsersBindingInAnySpellingModeAndVariable) {
  const std::string config =
      "set $mod Mod4\n"
      "set $alt Alt\n"
      "bindsym $mod+Return exec foot\n"
      "bindsym --no-repeat Control+F5 exec grim\n"
      "mode \"resize\" {\n"
      "    bindsym F3+$alt exec true\n"
      "}\n";
  EXPECT_TRUE(ConfigBindsCombination(config, "Ctrl+F5"));
  EXPECT_TRUE(ConfigBindsCombination(config, "Mod1+F3"));
  EXPECT_TRUE(ConfigBindsCombination(config, "Mod4+Return"));
  EXPECT_FALSE(ConfigBindsCombination(config, "Ctrl+F3"));
  EXPECT_FALSE(ConfigBindsCombination(config, "F5"));
}

}  // namespace velmo::sway
