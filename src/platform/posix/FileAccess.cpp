#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "common/Errors.h"

namespace velmo {

namespace {

FileVersion versionOf(const struct stat& st) {
  return {{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
           static_cast<uint64_t>(st.st_size),
           static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000u + st.st_mtim.tv_nsec,
           static_cast<uint64_t>(st.st_ctim.tv_sec) * 1000000000u + st.st_ctim.tv_nsec}};
}

// The file a chain of symbolic links ends at (which need not exist yet).
std::string finalTarget(std::string path) {
  for (int depth = 0; depth < 32; ++depth) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(path, error);
    if (error) return path;
    path = next.is_absolute() ? next.string()
                              : (std::filesystem::path(path).parent_path() / next).string();
  }
  return path;
}

bool writeAll(int fd, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

FileState CheckFile(const std::string& path, FileVersion* version) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? FileState::Missing : FileState::Unreadable;
  if (!S_ISREG(st.st_mode) || ::access(path.c_str(), R_OK) != 0) return FileState::Unreadable;
  if (version) *version = versionOf(st);
  return FileState::Readable;
}

std::optional<FileContents> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  FileContents contents;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    contents.bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  contents.version = versionOf(st);
  return contents;
}

FileVersion ReplaceFile(const std::string& path, const std::string& bytes) {
  const auto refuse = [&] { throw AppError("Unable to write to " + path); };
  const std::string target = finalTarget(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) refuse();
  // A read-only file stays unwritten even for a user whom permissions do not bind.
  if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0 ||
                 ::access(target.c_str(), W_OK) != 0))
    refuse();
  const mode_t umaskNow = ::umask(0);
  ::umask(umaskNow);
  const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~umaskNow);

  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) refuse();
  bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0;
  // Keeps the owner where the system allows it (a file of another user
  // that we may write through its group).
  if (ok && exists && old.st_uid != ::geteuid()) (void)!::fchown(fd, old.st_uid, old.st_gid);
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    refuse();
  }
  struct stat now {};
  return ::stat(target.c_str(), &now) == 0 ? versionOf(now) : FileVersion{};
}

}  // namespace velmo
