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
  if (hotkeys_.RegisterHotKey(owner_, id, modifiers, static_cast<unsigned>(vk))) return true;
  // The Alt test alone answers with the information icon.
  const unsigned icon = modifiers == kModAlt ? kMbIconInformation : kMbIconWarning;
  boxes_.MessageBoxA(window_, conflictText, kMainCaption, kMbOk | icon);
  hotkeys_.UnregisterHotKey(owner_, id);
  return false;
}

bool HotkeyRegistrar::RegisterClickHotkey(const std::string& modifier, const std::string& key) {
  const int vk = KeyTextToVk(key);
  hotkeys_.UnregisterHotKey(owner_, ClickHotkeyId);
  unsigned flags = 0;
  if (modifier == "无") flags = 0;
  else if (modifier == "Ctrl") flags = kModControl;
  else if (modifier == "Alt") flags = kModAlt;
  else if (modifier == "Ctrl+Alt") flags = kModControl | kModAlt;
  else return true;
  return tryRegister(ClickHotkeyId, flags, vk, kConflictText);
}

bool HotkeyRegistrar::registerCombined(int id, const std::string& hotkeyText,
                                       const std::string& conflictText) {
  const SplitHotkey split = SplitHotkeyText(hotkeyText);
  const int vk = KeyTextToVk(split.key);
  hotkeys_.UnregisterHotKey(owner_, id);
  if (!split.hasModifier) return tryRegister(id, 0, vk, conflictText);
  if (split.modifier == "Ctrl") return tryRegister(id, kModControl, vk, conflictText);
  if (split.modifier == "Alt") return tryRegister(id, kModAlt, vk, conflictText);
  if (split.modifier == "Ctrl+Alt") return tryRegister(id, kModControl | kModAlt, vk, conflictText);
  return true;
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
