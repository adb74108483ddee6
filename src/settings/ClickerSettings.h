// The single-point setting texts of section "setting" and the stop hotkey,
// with their defaults.
#pragma once

#include <string>

#include "common/Errors.h"
#include "settings/ProfileFile.h"

namespace velmo {

inline constexpr const char* kSettingSection = "setting";

struct ClickerSettings {
  std::string btn1 = "左键";
  std::string btn_type = "单击";
  std::string time = "1";
  std::string hotkey1 = "Ctrl";
  std::string hotkey2 = "F3";
  std::string click = "100";
  std::string xpos = "0";
  std::string ypos = "0";
  // Percent of random deviation of each period; "0" keeps it fixed.
  std::string jitter = "0";
  // "1": clicking stops once someone else moves the pointer away.
  std::string failsafe = "0";
  // Milliseconds each click stays down; "0" lets go at once.
  std::string hold = "0";
  // A key name pressed instead of the mouse button; empty clicks the mouse.
  std::string keypress;
};

// Reads the keys in the order btn1, btn_type, time, hotkey1, hotkey2, click,
// xpos, ypos, jitter, failsafe, hold, keypress, each with its default.
ClickerSettings ReadClickerSettings(const ProfileFile& file);
// Writes them in the same order, in one replacement of the file: a refused
// write leaves every key as it was.
void WriteClickerSettings(ProfileFile& file, const ClickerSettings& settings);

// `stophotkey`, "F6" when missing (the dialog reads it with its own default).
std::string ReadStopHotkey(const ProfileFile& file, const std::string& fallback = "F6");

// Runs `convert`, which turns the value of `key` read from `file` into what
// the program uses; a ConvertError it raises goes on naming the file and key.
template <class Convert>
auto ConvertSetting(const ProfileFile& file, const char* key, Convert convert) {
  try {
    return convert();
  } catch (const ConvertError& error) {
    throw ConvertError(std::string(error.what()) + " in " + file.path() + ", key " + key);
  }
}

}  // namespace velmo
