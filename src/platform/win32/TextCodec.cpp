#include "platform/TextCodec.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace velmo {

namespace {

constexpr UINT kGbk = 936;
const std::string kReplacement = "\xEF\xBF\xBD";

// Bytes of one GBK character at `p`: a lead byte takes the next byte with it
// only when that byte can be a trail byte, so a stray lead byte never eats a
// line end or an ASCII letter.
size_t gbkWidth(const unsigned char* p, size_t left) {
  if (p[0] < 0x81 || p[0] > 0xFE || left < 2) return 1;
  return (p[1] >= 0x40 && p[1] <= 0xFE && p[1] != 0x7F) ? 2 : 1;
}

}  // namespace

// Decoded a character at a time, so each byte sequence that is no GBK becomes
// one U+FFFD (the system alone would put its own default character there).
std::string GbkToUtf8(const std::string& gbk) {
  std::string out;
  std::wstring run;
  const auto* bytes = reinterpret_cast<const unsigned char*>(gbk.data());
  for (size_t i = 0; i < gbk.size();) {
    if (bytes[i] < 0x80) {
      run += static_cast<wchar_t>(bytes[i++]);
      continue;
    }
    const size_t width = gbkWidth(bytes + i, gbk.size() - i);
    wchar_t wide[2];
    const int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data() + i,
                                      static_cast<int>(width), wide, 2);
    if (n > 0) {
      run.append(wide, static_cast<size_t>(n));
    } else {
      out += win32::Narrow(run) + kReplacement;
      run.clear();
    }
    i += width;
  }
  return out + win32::Narrow(run);
}

std::string Utf8ToGbk(const std::string& utf8) {
  const std::wstring wide = win32::Widen(utf8);
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    "?", nullptr);
  std::string gbk(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), n, "?",
                      nullptr);
  return gbk;
}

}  // namespace velmo
