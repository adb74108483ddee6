// The running program as the system knows it: where its executable lies and
// the arguments it was started with.
#pragma once

#include <string>
#include <vector>

namespace velmo {

// The folder of the program's executable, with a trailing separator. Raises
// AppError when the system does not say.
std::string ProgramFolder();

// The arguments after the program's name, in UTF-8. On Windows they are read
// from the wide command line: main's `argv` holds them in the system's code
// page, which cannot hold every file name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace velmo
