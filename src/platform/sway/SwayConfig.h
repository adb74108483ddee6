// What sway's own configuration binds, so that the program never takes over,
// and at exit removes, a key binding of the user's.
#pragma once

#include <string>

namespace velmo::sway {

// Whether the configuration text binds `combination` ("Ctrl+Mod1+F3") with
// bindsym in any mode: modifier names as sway takes them (Control, Alt,
// Mod1), any order, $variables of `set` lines resolved.
bool ConfigBindsCombination(const std::string& config, const std::string& combination);

}  // namespace velmo::sway
