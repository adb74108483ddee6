// An INI file read and written key by key with the profile-string rules of
// IniText: a missing file, section or key gives the default; a write creates
// the file and the section and keeps every other key and section.
//
// The file is read once and its text kept while the file stays the same
// version, so reading every key at start, or saving several keys, reads it
// once; a file changed by someone else is read again.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileAccess.h"
#include "settings/IniText.h"

namespace velmo {

class ProfileFile {
 public:
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;

  // Replaces the file in one step (see ReplaceFile). A file that exists but
  // cannot be read, or may not be written, raises AppError "Unable to write
  // to <path>" and is left as it was.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Several keys of one section with one replacement: all of them or none.
  void WriteStrings(const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& entries);

 private:
  struct Loaded {
    IniText text;
    FileVersion version;
  };
  // The file's current text; nullopt when there is no file to read.
  const IniText* current(FileState& state) const;

  std::string path_;
  mutable std::optional<Loaded> loaded_;
};

// Copies `from` to `to` (overwriting) when `to` does not exist; the result
// is ignored, as nothing reads the copy.
void CopyIfMissing(const std::string& from, const std::string& to);

}  // namespace velmo
