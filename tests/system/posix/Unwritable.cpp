#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "system/TestFiles.h"

namespace velmo::testing {

namespace fs = std::filesystem;

namespace {

bool setImmutable(const fs::path& path, bool on) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  close(fd);
  return done;
}

}  // namespace

Unwritable::Unwritable(fs::path path) : path_(std::move(path)) {
  saved_ = static_cast<unsigned long>(fs::status(path_).permissions());
  fs::permissions(path_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ok_ = geteuid() != 0 || setImmutable(path_, true);
}

Unwritable::~Unwritable() {
  if (geteuid() == 0) setImmutable(path_, false);
  fs::permissions(path_, static_cast<fs::perms>(saved_));
}

}  // namespace velmo::testing
