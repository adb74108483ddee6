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
constexpr std::uint32_t kGetConfig = 9;

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

// One message and sway's answer to it.
std::string Ask(const std::string& socketPath, std::uint32_t type, const std::string& payload) {
  Socket socket(socketPath);
  socket.write(Header(static_cast<std::uint32_t>(payload.size()), type) + payload);
  const std::string header = socket.read(kMagicSize + 8);
  if (header.compare(0, kMagicSize, kMagic) != 0)
    throw AppError("sway's IPC socket answered something that is no IPC message");
  std::uint32_t length = 0;
  std::memcpy(&length, header.data() + kMagicSize, 4);
  if (length > (16u << 20)) throw AppError("sway's IPC answer is too long");
  return socket.read(length);
}

bool RunSwayCommand(const std::string& socketPath, const std::string& command) {
  const std::string reply = Ask(socketPath, kRunCommand, command);
  // [{"success": true}] for the one command; false with an "error" text otherwise.
  const std::size_t key = reply.find("\"success\"");
  if (key == std::string::npos) return false;
  const std::size_t value = reply.find_first_not_of(" \t\r\n:", key + 9);
  return value != std::string::npos && reply.compare(value, 4, "true") == 0;
}

// {"config": "…"}: the string's text, its escapes undone (\uXXXX only for ASCII,
// all a key binding is written in).
std::string SwayConfigText(const std::string& socketPath) {
  const std::string reply = Ask(socketPath, kGetConfig, {});
  const std::size_t key = reply.find("\"config\"");
  const std::size_t open = key == std::string::npos ? key : reply.find('"', key + 8);
  if (open == std::string::npos) throw AppError("sway's IPC answer holds no configuration");
  std::string text;
  for (std::size_t i = open + 1; i < reply.size() && reply[i] != '"'; ++i) {
    if (reply[i] != '\\' || i + 1 >= reply.size()) {
      text += reply[i];
      continue;
    }
    const char escaped = reply[++i];
    if (escaped == 'n') text += '\n';
    else if (escaped == 't') text += '\t';
    else if (escaped == 'u' && i + 4 < reply.size()) {
      const long code = std::strtol(reply.substr(i + 1, 4).c_str(), nullptr, 16);
      text += code < 128 ? static_cast<char>(code) : '?';
      i += 4;
    } else text += escaped;  // \" \\ \/
  }
  return text;
}

}  // namespace velmo::sway
