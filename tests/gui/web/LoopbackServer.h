// A small HTTP server on 127.0.0.1 for the browser tests: serves fixed pages
// by path from its own thread and records every path it was asked for.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmo::test {

class LoopbackServer {
 public:
  // Starts listening on a free port; throws std::runtime_error when the
  // system refuses a socket.
  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // An HTML page for `path` (the part of the request target before any '?').
  void page(const std::string& path, const std::string& html);
  // "http://127.0.0.1:<port><path>"
  std::string address(const std::string& path) const;
  // Request paths seen so far, query included, in arrival order.
  std::vector<std::string> requests() const;
  bool wasAskedFor(const std::string& path) const;

 private:
  void serve();
  void answer(int client);

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::map<std::string, std::string> pages_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace velmo::test
