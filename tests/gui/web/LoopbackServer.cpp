#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace velmo::test {

namespace {

std::runtime_error systemError(const char* call) {
  return std::runtime_error(std::string(call) + ": " + std::strerror(errno));
}

// Reads until the end of the request head; the tests send no bodies that matter.
std::string readHead(int client) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    head.append(buffer, static_cast<size_t>(n));
  }
  return head;
}

void sendAll(int client, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;  // the browser went away; nothing to tell it
    sent += static_cast<size_t>(n);
  }
}

}  // namespace

LoopbackServer::LoopbackServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) throw systemError("socket");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof addr;
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &length) != 0) {
    const auto error = systemError("bind/listen");
    ::close(listener_);
    throw error;
  }
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  thread_.join();
  ::close(listener_);
}

void LoopbackServer::page(const std::string& path, const std::string& html) {
  std::lock_guard lock(mutex_);
  pages_[path] = html;
}

std::string LoopbackServer::address(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool LoopbackServer::wasAskedFor(const std::string& path) const {
  const auto seen = requests();
  return std::find(seen.begin(), seen.end(), path) != seen.end();
}

void LoopbackServer::serve() {
  while (!stopping_) {
    pollfd waiting{listener_, POLLIN, 0};
    if (::poll(&waiting, 1, 50) <= 0) continue;  // wakes up to notice stopping_
    const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    // A browser may open a connection ahead of need and send nothing on it:
    // it must not hold up the requests on the next one for long.
    const timeval patience{1, 0};
    if (::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience) == 0) {
      answer(client);
    }
    ::close(client);
  }
}

void LoopbackServer::answer(int client) {
  const std::string head = readHead(client);
  const size_t start = head.find(' ');
  const size_t end = head.find(' ', start + 1);
  if (start == std::string::npos || end == std::string::npos) return;
  const std::string target = head.substr(start + 1, end - start - 1);
  std::string body;
  bool found = false;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(target);
    const auto it = pages_.find(target.substr(0, target.find('?')));
    if (it != pages_.end()) {
      body = it->second;
      found = true;
    }
  }
  sendAll(client, std::string(found ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                      "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                      std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

}  // namespace velmo::test
