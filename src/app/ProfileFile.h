// An INI file read and written key by key with the profile-string rules the
// program relies on: a missing file, section or key gives the default; values
// are at most 2047 bytes; a write creates the file and the section and keeps
// every other key and section. Texts are GBK on disk (UTF-8 when the file
// starts with a UTF-8 byte-order mark) and UTF-8 in memory.
#pragma once

#include <string>

namespace velmo {

class ProfileFile {
 public:
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;

  // Replaces the file atomically (temporary file, then rename). A refused
  // write raises AppError "Unable to write to <path>" and leaves the file as
  // it was.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

 private:
  std::string path_;
};

// Copies `from` to `to` (overwriting) when `to` does not exist; the result
// is ignored, as nothing reads the copy.
void CopyIfMissing(const std::string& from, const std::string& to);

}  // namespace velmo
