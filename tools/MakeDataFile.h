// Makes an empty data.db from the schema file. Used by the build (which puts
// data.db beside the program), by installing, and by tests; the program itself
// never creates the file.
#pragma once

#include <string>

namespace velmo {

// Does nothing and succeeds when `dbPath` exists already: a user's scripts
// are never replaced. Otherwise false with a message in `error`.
bool MakeDataFile(const std::string& dbPath, const std::string& schemaPath, std::string& error);

}  // namespace velmo
