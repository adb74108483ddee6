// Small rules about UTF-8 texts shared by the file readers and the messages.
#pragma once

#include <filesystem>
#include <string>

namespace velmo {

// Whether `text` is well-formed UTF-8: shortest forms only, no surrogates,
// nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text);

// `text` cut to at most `maxChars` characters, never inside one; a cut text
// ends in "...".
std::string CutText(const std::string& text, size_t maxChars);

// A file system path from a UTF-8 text. Constructing one from a std::string
// would read it in the ANSI code page on Windows and garble Chinese names.
inline std::filesystem::path Utf8Path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace velmo
