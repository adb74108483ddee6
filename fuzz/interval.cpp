// The interval text: whole seconds give their milliseconds or a ConvertError;
// a text with "." is a preset or leaves the interval as it was.
#include "FuzzCheck.h"
#include "clicker/ClickEngine.h"
#include "common/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  const std::string text = velmo::fuzz::Text(data, size);
  constexpr int kCurrent = 777;
  try {
    const int ms = TimeTextToInterval(text, kCurrent);
    if (text.find('.') == std::string::npos) {
      FUZZ_CHECK(int64_t{StrToInt(text)} * 1000 == ms);
    } else {
      FUZZ_CHECK(ms == kCurrent || ms == 500 || ms == 200 || ms == 100 || ms == 10 || ms == 5 ||
                 ms == 1);
    }
  } catch (const ConvertError& e) {
    FUZZ_CHECK(text.find('.') == std::string::npos);
    FUZZ_CHECK(velmo::fuzz::Chars(e.what()) < 120);
  }
  return 0;
}
