// The text forms of a hotkey and their conversion to RegisterHotKey values.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

namespace velmo {

constexpr int ClickHotkeyId = 1008;
constexpr int StopHotkeyId = 1108;

// The keys the hotkey lists offer, "F1" to "F12".
inline constexpr std::initializer_list<const char*> kFunctionKeys = {
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};

// RegisterHotKey's modifier flags for "Ctrl", "Alt" or "Ctrl+Alt"; nothing for
// any other text.
std::optional<unsigned> ModifierFlags(const std::string& modifier);

// Removes every "F" from the key text and reads the rest as n; gives n + 111
// ("F1" is 112, VK_F1). Raises ConvertError, as for a text that is no
// integer, when the rest is none or gives no key code (1 to 254).
int KeyTextToVk(const std::string& keyText);

// The combined text form ("Ctrl+Alt+F12", "F6") taken apart.
struct SplitHotkey {
  std::string key;       // "F12"
  std::string modifier;  // "Ctrl+Alt"; the whole text when there is no "+"
  bool hasModifier;      // the text contains "+"
};
SplitHotkey SplitHotkeyText(const std::string& text);

// Removes every occurrence of `what` from `text`, scanning left to right.
std::string RemoveAll(std::string text, const std::string& what);

// Modifier field from a combined text: "Ctrl+Alt", "Ctrl", "Alt" by
// containment, else "无"; empty for the empty text (the field keeps its value).
std::string ModifierFieldFor(const std::string& hotkeyText);
// Key field from a combined text: every "Ctrl+Alt+", then "Ctrl+", then
// "Alt+" removed.
std::string KeyFieldFor(const std::string& hotkeyText);
// The combined text the dialogs store: "无" gives the key alone.
std::string CombineHotkeyText(const std::string& modifier, const std::string& key);

}  // namespace velmo
