#include "hotkeys/HotkeyText.h"

#include "common/Errors.h"
#include "platform/Platform.h"

namespace velmo {

std::optional<unsigned> ModifierFlags(const std::string& modifier) {
  if (modifier == "Ctrl") return kModControl;
  if (modifier == "Alt") return kModAlt;
  if (modifier == "Ctrl+Alt") return kModControl | kModAlt;
  return std::nullopt;
}

std::string RemoveAll(std::string text, const std::string& what) {
  if (what.empty()) return text;
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = text.find(what, pos)) != std::string::npos; pos = hit + what.size()) {
    out.append(text, pos, hit - pos);
  }
  out.append(text, pos, std::string::npos);
  return out;
}

int KeyTextToVk(const std::string& keyText) {
  const std::string number = RemoveAll(keyText, "F");
  const int n = StrToInt(number);
  // Key codes run from 1 to 254; a number outside names no key.
  if (n < 1 - 111 || n > 254 - 111) throw ConvertError(NotAnIntegerText(number));
  return n + 111;
}

SplitHotkey SplitHotkeyText(const std::string& text) {
  SplitHotkey split;
  split.key = RemoveAll(RemoveAll(text, "Ctrl+"), "Alt+");
  split.modifier = RemoveAll(text, "+" + split.key);
  split.hasModifier = text.find('+') != std::string::npos;
  return split;
}

std::string ModifierFieldFor(const std::string& hotkeyText) {
  if (hotkeyText.find("Ctrl+Alt") != std::string::npos) return "Ctrl+Alt";
  if (hotkeyText.find("Ctrl") != std::string::npos) return "Ctrl";
  if (hotkeyText.find("Alt") != std::string::npos) return "Alt";
  return hotkeyText.empty() ? "" : "无";
}

std::string KeyFieldFor(const std::string& hotkeyText) {
  return RemoveAll(RemoveAll(RemoveAll(hotkeyText, "Ctrl+Alt+"), "Ctrl+"), "Alt+");
}

std::string CombineHotkeyText(const std::string& modifier, const std::string& key) {
  return modifier == "无" ? key : modifier + "+" + key;
}

}  // namespace velmo
