// The text of an INI file with the profile-string rules the program relies
// on: section and key names match without regard to case; values are trimmed,
// one pair of surrounding quotes is dropped, and at most 2047 bytes of the
// file's encoding are read; a write keeps every other line as it was.
//
// Encodings: a file with a UTF-8 byte-order mark is UTF-8; a file without one
// is UTF-8 when it is entirely valid UTF-8 and holds non-ASCII text (as a
// Linux editor writes it), otherwise GBK. A text is written back in the
// encoding and with the line ends it was read with, every line a write did
// not touch byte for byte as it was; a new text is GBK with CRLF line ends.
// Texts are UTF-8 in memory.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmo {

enum class IniEncoding { Gbk, Utf8, Utf8WithBom };

class IniText {
 public:
  IniText() = default;  // a new, empty file
  static IniText Parse(const std::string& bytes);

  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  // Replaces the key's first line in the section's first block, or adds it
  // after that block's last non-blank line, or adds the section at the end.
  void Write(const std::string& section, const std::string& key, const std::string& value);
  std::string Bytes() const;

  IniEncoding encoding() const { return encoding_; }

 private:
  std::vector<std::string> lines_;  // without line ends
  // Each line's bytes as read, until a write replaces the line.
  std::vector<std::optional<std::string>> diskLines_;
  IniEncoding encoding_ = IniEncoding::Gbk;
  std::string lineEnd_ = "\r\n";
};

}  // namespace velmo
