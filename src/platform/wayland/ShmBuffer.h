// A picture in shared memory that a Wayland surface can show: 32-bit
// pixels, premultiplied ARGB.
#pragma once

#include <wayland-client.h>

#include <cstddef>
#include <cstdint>

namespace velmo::wayland {

class ShmBuffer {
 public:
  // Throws AppError when the memory cannot be had.
  ShmBuffer(wl_shm* shm, int width, int height);
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  wl_buffer* buffer() const { return buffer_; }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* pixels() const { return pixels_; }
  void fill(uint32_t argb);

 private:
  int width_;
  int height_;
  size_t size_;
  uint32_t* pixels_ = nullptr;
  wl_buffer* buffer_ = nullptr;
};

}  // namespace velmo::wayland
