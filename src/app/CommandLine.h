// The program's command line: `velmo --export FILE [NAME…]` writes the
// named scripts (all when none is named) to a script file, and
// `velmo --import FILE` adds the scripts of one, both on the data.db the
// windows would use and without opening a window, so they run without a
// display too (backups, scripted set-ups). `velmo --toggle`, `velmo --run NAME`
// and `velmo --stop` ask the running program to start or stop its clicker, run a
// script, or stop a run, as its hotkeys would; they need the toolkit, so the
// windows' start-up sends them (SendRemoteRequest).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scripts/RemoteRequests.h"

namespace velmo {

// The exit code of the command `args` (the arguments after the program's
// name) asks for: 0 done, 1 refused or failed (said on stderr), 2 a command
// used wrongly. nullopt when they ask for no command: the windows start.
std::optional<int> RunCommandLine(const std::vector<std::string>& args);

// The request for the running program that `args` make: one of theirs, or
// Show for a plain start. RunCommandLine has refused malformed ones.
RemoteRequest RemoteRequestOf(const std::vector<std::string>& args);

// Sends `request` to the running program and says its answer on stdout (or
// stderr when refused): the exit code, 0 done, 1 refused or none runs.
int SendRemoteRequest(const RemoteRequest& request);

}  // namespace velmo
