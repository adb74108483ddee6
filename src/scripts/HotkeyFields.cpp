#include "scripts/HotkeyFields.h"

#include "hotkeys/HotkeyText.h"
#include "settings/ClickerSettings.h"

namespace velmo {

HotkeyFields HotkeyFieldsFor(const std::string& hotkeyText) {
  return {ModifierFieldFor(hotkeyText), KeyFieldFor(hotkeyText)};
}

HotkeyFields LoadStopHotkeyFields(const ProfileFile& file) {
  return HotkeyFieldsFor(ReadStopHotkey(file));
}

std::optional<std::string> SaveStopHotkey(ProfileFile& file, const HotkeyFields& fields) {
  // A text without a key could never be registered, while the rest of the
  // program would take it for a stored choice.
  if (fields.key.empty()) return "请选择或输入停止热键的按键,例如F6.";
  file.WriteString(kSettingSection, "stophotkey", CombineHotkeyText(fields.modifier, fields.key));
  return std::nullopt;
}

}  // namespace velmo
