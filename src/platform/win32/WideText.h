// UTF-8, the program's text, to and from UTF-16, the text of the W system
// calls (paths above all: the A calls read them in the ANSI code page).
#pragma once

#include <string>

namespace velmo::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// The system's message for an error code, as UTF-8, without line end.
std::string SystemMessage(unsigned long code);

}  // namespace velmo::win32
