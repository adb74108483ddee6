#include "platform/sway/SwayIpc.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/Errors.h"

namespace velmo::sway {

namespace {

constexpr char kMagic[] = "i3-ipc";  // sway speaks i3's IPC
constexpr std::size_t kMagicSize = 6;
constexpr std::uint32_t kRunCommand = 0;

class Socket {
 public:
  explicit Socket(const std::string& path) : fd_(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd_ < 0 || path.size() >= sizeof address.sun_path)
      throw AppError("Cannot reach sway's IPC socket " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
      throw AppError("Cannot reach sway's IPC socket " + path + ": " + std::strerror(errno));
  }
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  void write(const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n <= 0) throw AppError("sway's IPC socket closed while sending a command");
      done += static_cast<std::size_t>(n);
    }
  }
  std::string read(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t done = 0; done < size;) {
      const ssize_t n = ::recv(fd_, bytes.data() + done, size - done, 0);
      if (n <= 0) throw AppError("sway's IPC socket closed before its answer");
      done += static_cast<std::size_t>(n);
    }
    return bytes;
  }

 private:
  int fd_;
};

std::string Header(std::uint32_t length, std::uint32_t type) {
  std::string header(kMagic, kMagicSize);
  header.append(reinterpret_cast<const char*>(&length), 4);  // the host's byte order
  header.append(reinterpret_cast<const char*>(&type), 4);
  return header;
}

}  // namespace

std::string SwaySocketPath() {
  const char* path = std::getenv("SWAYSOCK");
  return path ? path : "";
}

bool RunSwayCommand(const std::string& socketPath, const std::string& command) {
  Socket socket(socketPath);
  socket.write(Header(static_cast<std::uint32_t>(command.size()), kRunCommand) + command);
  const std::string header = socket.read(kMagicSize + 8);
  if (header.compare(0, kMagicSize, kMagic) != 0)
    throw AppError("sway's IPC socket answered something that is no IPC message");
  std::uint32_t length = 0;
  std::memcpy(&length, header.data() + kMagicSize, 4);
  if (length > (1u << 20)) throw AppError("sway's IPC answer is too long");
  const std::string reply = socket.read(length);
  // [{"success": true}] for the one command; false with an "error" text otherwise.
  const std::size_t key = reply.find("\"success\"");
  if (key == std::string::npos) return false;
  const std::size_t value = reply.find_first_not_of(" \t\r\n:", key + 9);
  return value != std::string::npos && reply.compare(value, 4, "true") == 0;
}

}  // namespace velmo::sway
