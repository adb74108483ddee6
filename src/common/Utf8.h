// Small rules about UTF-8 texts shared by the file readers and the messages.
#pragma once

#include <string>

namespace velmo {

// Whether `text` is well-formed UTF-8: shortest forms only, no surrogates,
// nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text);

// `text` cut to at most `maxChars` characters, never inside one; a cut text
// ends in "...".
std::string CutText(const std::string& text, size_t maxChars);

}  // namespace velmo
