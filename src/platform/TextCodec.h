// Conversion between the program's UTF-8 texts and the ANSI code page of a
// Chinese-locale Windows system (GBK, code page 936), in which files are kept.
#pragma once

#include <string>

namespace velmo {

// Bytes that are no GBK come out as U+FFFD.
std::string GbkToUtf8(const std::string& gbk);
// Characters GBK cannot hold come out as "?", as the system would write them.
std::string Utf8ToGbk(const std::string& utf8);

}  // namespace velmo
