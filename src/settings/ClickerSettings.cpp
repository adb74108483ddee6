#include "settings/ClickerSettings.h"

namespace velmo {

namespace {
// Key names and members, in the file's order.
constexpr std::pair<const char*, std::string ClickerSettings::*> kKeys[] = {
    {"btn1", &ClickerSettings::btn1},       {"btn_type", &ClickerSettings::btn_type},
    {"time", &ClickerSettings::time},       {"hotkey1", &ClickerSettings::hotkey1},
    {"hotkey2", &ClickerSettings::hotkey2}, {"click", &ClickerSettings::click},
    {"xpos", &ClickerSettings::xpos},       {"ypos", &ClickerSettings::ypos},
    {"jitter", &ClickerSettings::jitter},   {"failsafe", &ClickerSettings::failsafe},
    {"hold", &ClickerSettings::hold},       {"keypress", &ClickerSettings::keypress},
};
}  // namespace

ClickerSettings ReadClickerSettings(const ProfileFile& file) {
  ClickerSettings settings;
  for (const auto& [key, member] : kKeys)
    settings.*member = file.ReadString(kSettingSection, key, settings.*member);
  return settings;
}

void WriteClickerSettings(ProfileFile& file, const ClickerSettings& settings) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const auto& [key, member] : kKeys) entries.emplace_back(key, settings.*member);
  file.WriteStrings(kSettingSection, entries);
}

std::string ReadStopHotkey(const ProfileFile& file, const std::string& fallback) {
  return file.ReadString(kSettingSection, "stophotkey", fallback);
}

}  // namespace velmo
