// Export and import of scripts through the script file (ScriptFile.h), the
// same for the script page's 导出/导入 and for the command line.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "scripts/ScriptStore.h"

namespace velmo {

// `name` when it is not taken; otherwise the first of "name(2)",
// "name(3)", … that is not.
std::string UniqueName(const std::string& name, const std::set<std::string>& taken);

// The stored scripts named in `names`, or every script when `names` is
// empty, in the order of the list; WriteScriptFile makes their file. A name
// that no stored script bears raises AppError.
std::vector<ScriptRecord> ScriptsToExport(ScriptStore& store, const std::vector<std::string>& names);

// Adds every script of the file text as a new row, in the file's order; a
// name that is stored already, or came earlier in the file, gets a numbered
// suffix. A malformed file raises ScriptFileError before anything is added;
// the rows go in as one transaction. Returns the names as added.
std::vector<std::string> ImportScripts(ScriptStore& store, const std::string& text);

// ScriptsToExport written to the file at `path`, replaced whole; returns
// how many scripts it holds.
size_t ExportToFile(ScriptStore& store, const std::vector<std::string>& names,
                    const std::string& path);

// ImportScripts on the file at `path`; a file that cannot be read raises
// AppError.
std::vector<std::string> ImportFromFile(ScriptStore& store, const std::string& path);

// What the user is told, in the window and on the command line.
std::string ExportedText(size_t count, const std::string& path);
std::string ImportedText(const std::vector<std::string>& names);
std::string RefusedFileText(const std::string& path, const std::string& problem);

}  // namespace velmo
