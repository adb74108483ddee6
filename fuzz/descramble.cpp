// The hex descrambler: it inverts the scrambler, reads upper- and lower-case
// digits alike, ignores a trailing odd digit and refuses anything else.
#include <cctype>

#include "FuzzCheck.h"
#include "common/Errors.h"
#include "web/Scramble.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  const std::string input = fuzz::Text(data, size);
  FUZZ_CHECK(DescrambleHex(ScrambleHex(input)) == input);
  try {
    const std::string bytes = DescrambleHex(input);
    FUZZ_CHECK(bytes.size() == input.size() / 2);
    std::string upper = input.substr(0, bytes.size() * 2);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    FUZZ_CHECK(ScrambleHex(bytes) == upper);
    DescrambleText(input);
  } catch (const ConvertError&) {
    const std::string even = input.substr(0, input.size() / 2 * 2);
    FUZZ_CHECK(even.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos);
  }
  return 0;
}
