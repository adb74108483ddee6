// The key mode and the hold time of the single-point clicker: the texts of
// `keypress` and `hold`, and the rules a saved value must keep.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmo {

inline constexpr int kMaxHoldMs = 10000;

// The key names the clicker can press, in the order the dialog lists them:
// Space, Enter, A to Z, 0 to 9, F1 to F12.
std::vector<std::string> ClickKeyNames();

// The virtual-key code of a key name; nothing for the empty text (mouse
// clicks), ConvertError for a text that names no key of the list.
std::optional<unsigned> KeyNameToVk(const std::string& name);

// The `hold` text in milliseconds, 0 to 10000; ConvertError otherwise.
int HoldTextToMs(const std::string& text);

// Whether a click held `holdMs` (twice in a row for a double click) is let
// go before the next tick can come, at the timer's shortest period for this
// interval and jitter. A hold of 0 always fits.
bool HoldFitsInterval(int holdMs, bool doubleClick, int intervalMs, int jitterPercent);

// Whether `vk` is the key of one of the hotkey texts ("Ctrl+F3", "F6"),
// whatever their modifiers: a press of it could start or stop the program's
// own work. Texts that name no key are passed over.
bool IsKeyOfHotkeys(unsigned vk, const std::vector<std::string>& hotkeyTexts);

}  // namespace velmo
