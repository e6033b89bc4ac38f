// A TCP listener on the host's loopback for the socket tests: it stands
// where an infrared peer's host would be. Written against the host's
// sockets, so it lives apart from the platform's socket header.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <thread>
#include <vector>

namespace platform::testing {

class LoopbackServer {
 public:
  // Each accepted connection's descriptor goes to `serve` on the server's
  // thread, one after the other; the server closes it afterwards. Without
  // `serve` the server never accepts and its queue holds `backlog`.
  explicit LoopbackServer(std::function<void(int fd)> serve, int backlog = 4);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::uint16_t port() const { return port_; }
  // Fills the queue of a server that never accepts, so that the next
  // connection attempt waits.
  void FillQueue();

 private:
  int listen_fd_ = -1;
  int stop_fd_ = -1;
  std::uint16_t port_ = 0;
  std::vector<int> queued_;
  std::thread thread_;
};

// Helpers over a host descriptor; false when the connection ended.
bool ReadExactly(int fd, std::span<std::uint8_t> buffer);
bool WriteAll(int fd, std::span<const std::uint8_t> data);
// A port on the loopback where nobody listens.
std::uint16_t UnusedPort();

}  // namespace platform::testing
