// The banner decoder: a damaged picture is an AppError; a decoded one holds
// exactly its pixels and never exceeds the size limit.
#include "FuzzCheck.h"
#include "common/Errors.h"
#include "common/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  try {
    const RgbImage image = DecodeJpeg(data, size);
    FUZZ_CHECK(image.width > 0 && image.height > 0);
    FUZZ_CHECK(static_cast<unsigned>(image.width) <= kMaxJpegSide &&
               static_cast<unsigned>(image.height) <= kMaxJpegSide);
    FUZZ_CHECK(image.rgb.size() == size_t(image.width) * image.height * 3);
  } catch (const AppError&) {
  }
  return 0;
}
