#include "common/JpegImage.h"

#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>

#include "common/Errors.h"

namespace velmo {

namespace {

// libjpeg's default handler calls exit(); ours jumps back with the message.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// Ends libjpeg's state however decoding ends, a failed allocation included.
struct Decompressor {
  jpeg_decompress_struct info{};
  ~Decompressor() { jpeg_destroy_decompress(&info); }
};

// Decodes into `image`; returns false with the message in `manager` on error.
// Kept free of C++ objects with destructors between setjmp and longjmp.
bool decode(jpeg_decompress_struct& info, ErrorManager& manager, const uint8_t* data, size_t size,
            RgbImage& image) {
  if (setjmp(manager.jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // The header's size is only a claim: refuse it before allocating for it.
  if (info.image_width > kMaxJpegSide || info.image_height > kMaxJpegSide ||
      uint64_t{info.image_width} * info.image_height > kMaxJpegPixels) {
    std::snprintf(manager.message, sizeof manager.message, "picture of %ux%u pixels is too large",
                  info.image_width, info.image_height);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.rgb.data() + static_cast<size_t>(info.output_scanline) * image.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

RgbImage DecodeJpeg(const uint8_t* data, size_t size) {
  ErrorManager manager{};
  Decompressor decompressor;
  decompressor.info.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = onError;
  RgbImage image;
  const bool ok = decode(decompressor.info, manager, data, size, image);
  const long warnings = manager.base.num_warnings;
  if (!ok) throw AppError(std::string("JPEG picture cannot be decoded: ") + manager.message);
  if (warnings > 0) throw AppError("JPEG picture is damaged or truncated");
  return image;
}

}  // namespace velmo
