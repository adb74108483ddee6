#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/Errors.h"
#include "common/JpegImage.h"

using namespace velmo;

namespace {

std::string banner() {
  std::ifstream in(VELMO_BANNER_FILE, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

RgbImage decode(const std::string& bytes) {
  return DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// The picture with the frame header's size replaced, cut a little after the
// start of its scan: the headers whole, hardly a pixel.
std::string claiming(unsigned width, unsigned height) {
  std::string bytes = banner();
  const size_t frame = bytes.find("\xFF\xC0");
  bytes[frame + 5] = static_cast<char>(height >> 8), bytes[frame + 6] = static_cast<char>(height);
  bytes[frame + 7] = static_cast<char>(width >> 8), bytes[frame + 8] = static_cast<char>(width);
  return bytes.substr(0, bytes.find("\xFF\xDA") + 40);
}

}  // namespace

TEST(DecodeJpeg, BannerDecodesAndDamageIsRefused) {
  const RgbImage image = decode(banner());
  EXPECT_EQ(image.width, 559);
  EXPECT_EQ(image.height, 90);
  EXPECT_EQ(image.rgb.size(), 559u * 90 * 3);
  EXPECT_THROW(decode(banner().substr(0, 300)), AppError);
  EXPECT_THROW(decode(""), AppError);
}

TEST(DecodeJpeg, HeaderClaimingAHugePictureIsRefusedBeforeAllocating) {
  for (const auto& [width, height] : {std::pair{65000u, 65000u}, {8193u, 16u}, {4096u, 4097u}}) {
    try {
      decode(claiming(width, height));
      FAIL() << width << "x" << height;
    } catch (const AppError& e) {
      EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
  }
}
