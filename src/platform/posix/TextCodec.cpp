#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace velmo {

namespace {

// Converts with iconv; an unconvertible or invalid input sequence is
// replaced by `replacement` and skipped by `skipInvalid` bytes.
std::string convert(const char* to, const char* from, const std::string& in,
                    const std::string& replacement, size_t (*skipInvalid)(const char*, size_t)) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out;
  char buffer[4096];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out += replacement;
      const size_t skip = skipInvalid(src, srcLeft);
      src += skip;
      srcLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

// A lead byte takes the next byte with it only when that byte can be a trail
// byte (0x40-0x7E, 0x80-0xFE): a line end, a blank or an ASCII letter after
// a stray lead byte is kept.
size_t skipGbk(const char* p, size_t left) {
  const auto lead = static_cast<unsigned char>(p[0]);
  if (lead < 0x81 || lead > 0xFE || left < 2) return 1;
  const auto trail = static_cast<unsigned char>(p[1]);
  return (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) ? 2 : 1;
}

size_t skipUtf8(const char* p, size_t left) {
  size_t n = 1;
  while (n < left && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
  return n;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) {
  return convert("UTF-8", "CP936", gbk, "\xEF\xBF\xBD", skipGbk);
}

std::string Utf8ToGbk(const std::string& utf8) {
  return convert("CP936", "UTF-8", utf8, "?", skipUtf8);
}

}  // namespace velmo
