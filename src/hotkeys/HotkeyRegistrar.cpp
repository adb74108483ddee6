#include "hotkeys/HotkeyRegistrar.h"

#include "common/Errors.h"
#include "common/Texts.h"
#include "hotkeys/HotkeyText.h"

namespace velmo {

namespace {

const std::string kConflictText = "您设置的热键与其他程序的热键冲突,请选择过热键.";

std::string scriptConflictText(const std::string& hotkeyText) {
  return "您设置的" + hotkeyText + "热键与其他程序的热键冲突,请选择过热键.";
}

}  // namespace

bool HotkeyRegistrar::tryRegister(int id, unsigned modifiers, int vk,
                                  const std::string& conflictText) {
  if (hotkeys_.RegisterHotKey(owner_, id, modifiers, static_cast<unsigned>(vk))) {
    registered_[id] = {modifiers, conflictText};
    return true;
  }
  showConflict(modifiers, conflictText);
  hotkeys_.UnregisterHotKey(owner_, id);
  return false;
}

void HotkeyRegistrar::showConflict(unsigned modifiers, const std::string& conflictText) {
  // The Alt test alone answers with the information icon.
  const unsigned icon = modifiers == kModAlt ? kMbIconInformation : kMbIconWarning;
  boxes_.MessageBoxA(window_, conflictText, kMainCaption, kMbOk | icon);
}

void HotkeyRegistrar::ReportRefused(int id) {
  const auto it = registered_.find(id);
  if (it == registered_.end()) return;
  const Conflict conflict = it->second;
  registered_.erase(it);
  showConflict(conflict.modifiers, conflict.text);
}

bool HotkeyRegistrar::RegisterClickHotkey(const std::string& modifier, const std::string& key) {
  const int vk = KeyTextToVk(key);
  hotkeys_.UnregisterHotKey(owner_, ClickHotkeyId);
  // "无" is the panel's word for no modifier; an unknown modifier registers nothing.
  const std::optional<unsigned> flags = modifier == "无" ? 0u : ModifierFlags(modifier);
  if (!flags) return true;
  return tryRegister(ClickHotkeyId, *flags, vk, kConflictText);
}

bool HotkeyRegistrar::registerCombined(int id, const std::string& hotkeyText,
                                       const std::string& conflictText) {
  const SplitHotkey split = SplitHotkeyText(hotkeyText);
  const int vk = KeyTextToVk(split.key);
  hotkeys_.UnregisterHotKey(owner_, id);
  const std::optional<unsigned> flags = split.hasModifier ? ModifierFlags(split.modifier) : 0u;
  if (!flags) return true;
  return tryRegister(id, *flags, vk, conflictText);
}

void HotkeyRegistrar::RegisterStopHotkey(const std::string& hotkeyText) {
  registerCombined(StopHotkeyId, hotkeyText, kConflictText);
}

bool HotkeyRegistrar::RegisterScriptHotkey(const std::string& hotkeyText,
                                           const std::string& idText) {
  // Both conversions come before the release, so a bad text leaves the
  // previous registration in force.
  KeyTextToVk(SplitHotkeyText(hotkeyText).key);
  const int id = StrToInt(idText);
  return registerCombined(id, hotkeyText, scriptConflictText(hotkeyText));
}

}  // namespace velmo
