#include "platform/wayland/ShmBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "common/Errors.h"

namespace velmo::wayland {

ShmBuffer::ShmBuffer(wl_shm* shm, int width, int height)
    : width_(width), height_(height), size_(size_t(width) * height * 4) {
  const int fd = memfd_create("velmo-picture", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, static_cast<off_t>(size_)) != 0) {
    const std::string why = std::strerror(errno);
    if (fd >= 0) close(fd);
    throw AppError("memfd_create/ftruncate for a picture of " + std::to_string(width) + "x" +
                   std::to_string(height) + " failed: " + why);
  }
  void* memory = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) {
    const std::string why = std::strerror(errno);
    close(fd);
    throw AppError("mmap of a picture failed: " + why);
  }
  pixels_ = static_cast<uint32_t*>(memory);
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(size_));
  buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_ARGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
}

ShmBuffer::~ShmBuffer() {
  wl_buffer_destroy(buffer_);
  munmap(pixels_, size_);
}

void ShmBuffer::fill(uint32_t argb) { std::fill_n(pixels_, size_t(width_) * height_, argb); }

}  // namespace velmo::wayland
