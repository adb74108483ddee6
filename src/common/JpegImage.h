// Decoding of a JFIF picture held in memory (the banner) with libjpeg.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width * height * 3 bytes, rows top to bottom
};

// Pictures larger than these are refused before any pixel is allocated.
inline constexpr unsigned kMaxJpegSide = 8192;
inline constexpr uint64_t kMaxJpegPixels = 16u << 20;

// Raises AppError naming libjpeg's complaint for a damaged or truncated
// picture; a picture with decoder warnings, or too large, is a failure too.
RgbImage DecodeJpeg(const uint8_t* data, size_t size);

}  // namespace velmo
