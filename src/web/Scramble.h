// The few texts the program keeps scrambled: hexadecimal digit pairs, each
// byte XORed with one byte of a built-in 8-byte key, cycled. The bytes are
// ANSI text (GBK), as a Chinese-locale Windows system reads them.
#pragma once

#include <string>

namespace velmo {

// Pure bytes: n = half the length (a trailing odd digit is ignored); pair i
// is XORed with key byte i mod 8. Upper- and lower-case digits are read; a
// pair that is not two hexadecimal digits raises ConvertError.
std::string DescrambleHex(const std::string& hex);
// The inverse, in upper-case digits.
std::string ScrambleHex(const std::string& bytes);

// A scrambled GBK text as the program's UTF-8 text, and back.
std::string DescrambleText(const std::string& hex);
std::string ScrambleText(const std::string& utf8);

}  // namespace velmo
