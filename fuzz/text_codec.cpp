// GbkToUtf8 gives valid UTF-8 and never consumes a byte below 0x40 (line
// ends, blanks, "=", digits); valid GBK goes back to the same bytes; Utf8ToGbk takes anything.
#include "FuzzCheck.h"
#include "common/Utf8.h"
#include "platform/TextCodec.h"

namespace {

std::string lowBytes(const std::string& s) {
  std::string low;
  for (const char c : s)
    if (static_cast<unsigned char>(c) < 0x40) low += c;
  return low;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  const std::string input = fuzz::Text(data, size);
  const std::string utf8 = GbkToUtf8(input);
  FUZZ_CHECK(IsValidUtf8(utf8));
  FUZZ_CHECK(lowBytes(utf8) == lowBytes(input));
  // Valid GBK is written back as it was read.
  if (utf8.find("\xEF\xBF\xBD") == std::string::npos) FUZZ_CHECK(Utf8ToGbk(utf8) == input);
  Utf8ToGbk(input);
  return 0;
}
