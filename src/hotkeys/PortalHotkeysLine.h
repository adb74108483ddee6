// What the status bar says once the desktop portal has bound the hotkeys.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace velmo {

// Each bound id with what it does and the trigger the desktop gave it: the
// clicker's first, then the stop hotkey's, then the scripts' by id, each
// named by `scriptName`. Refused ids are left out; their message says it.
std::string PortalHotkeysLine(const std::vector<HotkeyOutcome>& outcomes,
                              const std::function<std::string(int id)>& scriptName);

}  // namespace velmo
