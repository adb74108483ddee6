// The program's hotkeys in the words of the desktop portal's global
// shortcuts: the shortcut ids, the triggers the program asks for, and what
// the portal's answer says of each hotkey. No GIO here.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/KeyGrabber.h"

namespace velmo::portal {

using Combination = std::pair<unsigned, unsigned>;  // modifiers, vk

// The shortcut's id, the same in every session: "hotkey-MODIFIERS-VK".
std::string ShortcutId(const Combination& combination);

// The trigger in the shortcuts' syntax ("CTRL+ALT+F3"); empty for a key that
// syntax has no name for (only F1 to F35 are ever asked for).
std::string PreferredTrigger(const Combination& combination);

// Each wanted combination with the desktop's answer: `triggers` holds the
// trigger description of every shortcut id the desktop bound; an id missing
// from it was refused (all are, when the whole request was).
std::vector<GrabOutcome> OutcomesOf(const std::vector<Combination>& wanted,
                                    const std::map<std::string, std::string>& triggers);

}  // namespace velmo::portal
