#include "web/Scramble.h"

#include <cstdint>

#include "common/Errors.h"
#include "platform/TextCodec.h"

namespace velmo {

namespace {

constexpr uint8_t kKey[8] = {0x5A, 0xC3, 0x17, 0x8E, 0x2B, 0xF4, 0x61, 0x9D};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

uint8_t readPair(char high, char low) {
  const int h = hexDigit(high);
  const int l = hexDigit(low);
  if (h < 0 || l < 0) {
    throw ConvertError("'" + std::string{high, low} + "' is not a valid hexadecimal value");
  }
  return static_cast<uint8_t>(h * 16 + l);
}

}  // namespace

std::string DescrambleHex(const std::string& hex) {
  const size_t n = hex.size() / 2;
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    out += static_cast<char>(readPair(hex[2 * i], hex[2 * i + 1]) ^ kKey[i % 8]);
  }
  return out;
}

std::string ScrambleHex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = static_cast<uint8_t>(bytes[i]) ^ kKey[i % 8];
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  return out;
}

std::string DescrambleText(const std::string& hex) { return GbkToUtf8(DescrambleHex(hex)); }

std::string ScrambleText(const std::string& utf8) { return ScrambleHex(Utf8ToGbk(utf8)); }

}  // namespace velmo
