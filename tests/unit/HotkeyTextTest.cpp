#include <gtest/gtest.h>

#include "common/Errors.h"
#include "hotkeys/HotkeyText.h"

using namespace velmo;

TEST(KeyTextToVk, FunctionKeysAndBareNumbers) {
  EXPECT_EQ(KeyTextToVk("F1"), 112);
  EXPECT_EQ(KeyTextToVk("F12"), 123);
  EXPECT_EQ(KeyTextToVk("F24"), 135);
  EXPECT_EQ(KeyTextToVk("5"), 116);  // no table: any integer is a key number
  EXPECT_EQ(KeyTextToVk("FF3"), 114);
}

TEST(KeyTextToVk, TextsThatAreNoNumberRaise) {
  EXPECT_THROW(KeyTextToVk(""), ConvertError);
  EXPECT_THROW(KeyTextToVk("f3"), ConvertError);  // only upper-case F is removed
  EXPECT_THROW(KeyTextToVk("Shift"), ConvertError);
  EXPECT_THROW(KeyTextToVk("F99999999999"), ConvertError);
  // Numbers whose key code would leave 1..254 (or overflow) name no key.
  EXPECT_THROW(KeyTextToVk("F2147483600"), ConvertError);
  EXPECT_THROW(KeyTextToVk("F144"), ConvertError);
  EXPECT_THROW(KeyTextToVk("F-111"), ConvertError);
  EXPECT_EQ(KeyTextToVk("F143"), 254);
}

TEST(SplitHotkeyText, CombinedForms) {
  struct Case {
    const char* text;
    const char* key;
    const char* modifier;
    bool hasModifier;
  } cases[] = {
      {"Ctrl+Alt+F12", "F12", "Ctrl+Alt", true},
      {"Ctrl+F9", "F9", "Ctrl", true},
      {"Alt+F5", "F5", "Alt", true},
      {"F6", "F6", "F6", false},
      {"Shift+F2", "Shift+F2", "Shift+F2", true},  // unknown modifier stays in the key
  };
  for (const auto& c : cases) {
    const SplitHotkey split = SplitHotkeyText(c.text);
    EXPECT_EQ(split.key, c.key) << c.text;
    EXPECT_EQ(split.modifier, c.modifier) << c.text;
    EXPECT_EQ(split.hasModifier, c.hasModifier) << c.text;
  }
}

TEST(HotkeyFields, FillAndCombineRoundTrip) {
  EXPECT_EQ(ModifierFieldFor("Ctrl+Alt+F3"), "Ctrl+Alt");
  EXPECT_EQ(ModifierFieldFor("Ctrl+F3"), "Ctrl");
  EXPECT_EQ(ModifierFieldFor("Alt+F12"), "Alt");
  EXPECT_EQ(ModifierFieldFor("F11"), "无");
  EXPECT_EQ(ModifierFieldFor(""), "");
  EXPECT_EQ(KeyFieldFor("Ctrl+Alt+F3"), "F3");
  EXPECT_EQ(KeyFieldFor("Alt+F12"), "F12");
  EXPECT_EQ(KeyFieldFor("F10"), "F10");
  EXPECT_EQ(CombineHotkeyText("无", "F6"), "F6");
  EXPECT_EQ(CombineHotkeyText("Ctrl+Alt", "F12"), "Ctrl+Alt+F12");
}

TEST(StrToInt, RangeAndForm) {
  EXPECT_EQ(StrToInt("0100"), 100);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
  EXPECT_THROW(StrToInt("2147483648"), ConvertError);
  EXPECT_THROW(StrToInt("12a"), ConvertError);
  EXPECT_THROW(StrToInt("-"), ConvertError);
  try {
    StrToInt("abc");
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
  // A long value is cut, never inside a character.
  try {
    StrToInt(std::string(5000, '7') + "键");
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'" + std::string(40, '7') + "...' is not a valid integer value");
  }
}

TEST(ErrorReportText, AddsFullStopAfterLettersOnly) {
  EXPECT_EQ(ErrorReportText("Unable to write to /x/setting.ini"),
            "Unable to write to /x/setting.ini.");
  EXPECT_EQ(ErrorReportText("'a' is not a valid integer value"),
            "'a' is not a valid integer value.");
  EXPECT_EQ(ErrorReportText("done."), "done.");
  EXPECT_EQ(ErrorReportText("(x)"), "(x)");  // ")" sorts before "."
}
