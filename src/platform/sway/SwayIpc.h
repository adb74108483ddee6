// Commands to the sway compositor over its IPC socket ($SWAYSOCK): the same
// messages swaymsg sends, without needing swaymsg.
#pragma once

#include <string>

namespace velmo::sway {

// The socket of the sway session this program runs in; empty outside sway.
std::string SwaySocketPath();

// Runs one sway command ("bindsym …"): true when sway reports success.
// Raises AppError when the socket cannot be reached or answers garbage.
bool RunSwayCommand(const std::string& socketPath, const std::string& command);

// The text of the configuration sway loaded; raises AppError as above.
std::string SwayConfigText(const std::string& socketPath);

}  // namespace velmo::sway
