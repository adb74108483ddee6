// The program's command line: `velmo --export FILE [NAME…]` writes the
// named scripts (all when none is named) to a script file, and
// `velmo --import FILE` adds the scripts of one, both on the data.db the
// windows would use and without opening a window, so they run without a
// display too (backups, scripted set-ups).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmo {

// The exit code of the command `args` (the arguments after the program's
// name) asks for: 0 done, 1 refused or failed (said on stderr), 2 a command
// used wrongly. nullopt when they ask for no command: the windows start.
std::optional<int> RunCommandLine(const std::vector<std::string>& args);

}  // namespace velmo
