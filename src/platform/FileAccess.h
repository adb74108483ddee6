// Whole-file reads and replacements for the settings file and the script
// files: the one place where the program opens, checks and replaces a file
// by its path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmo {

// What tells one version of a file from the next: which file it is, its
// size and its change times. Equal versions mean equal contents.
struct FileVersion {
  uint64_t fields[5] = {};
  bool operator==(const FileVersion&) const = default;
};

struct FileContents {
  std::string bytes;
  FileVersion version;
};

enum class FileState { Missing, Unreadable, Readable };

// The state of `path` (a symbolic link counts as its target); `version`, when
// given, receives the version of a readable file.
FileState CheckFile(const std::string& path, FileVersion* version = nullptr);

// The bytes of a readable regular file; nullopt otherwise.
std::optional<FileContents> ReadWholeFile(const std::string& path);

// Replaces the file's contents in one step (a temporary file beside it,
// renamed over it). A symbolic link is written through to its target and
// kept; a replaced file keeps its mode. A file the user may not write, or
// one without any write permission, is left as it was. Any refusal raises
// AppError "Unable to write to <path>". Returns the new file's version.
FileVersion ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace velmo
