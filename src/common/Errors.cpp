#include "common/Errors.h"

#include <cstdint>

#include "common/Utf8.h"

namespace velmo {

namespace {
// Enough for any number or key text; a whole 2047-byte value would fill the screen.
constexpr size_t kQuotedChars = 40;
}  // namespace

std::string Quoted(const std::string& value) { return "'" + CutText(value, kQuotedChars) + "'"; }

std::string NotAnIntegerText(const std::string& text) {
  return Quoted(text) + " is not a valid integer value";
}

int StrToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const size_t firstDigit = i;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > int64_t{INT32_MAX} + 1) break;
  }
  if (negative) value = -value;
  if (i != text.size() || i == firstDigit || value > INT32_MAX || value < INT32_MIN) {
    throw ConvertError(NotAnIntegerText(text));
  }
  return static_cast<int>(value);
}

std::string ErrorReportText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace velmo
