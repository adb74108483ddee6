// Texts cross between the logic (UTF-8 std::string) and wx (wxString) only
// through these two.
#pragma once

#include <wx/string.h>

#include <string>

namespace velmo {

inline std::string ToUtf8(const wxString& text) { return std::string(text.utf8_str()); }
inline wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace velmo
