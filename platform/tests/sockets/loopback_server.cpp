#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace platform::testing {

namespace {

int ListenOnLoopback(int backlog, std::uint16_t* port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("no socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, backlog) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(fd);
    throw std::runtime_error("cannot listen on the loopback");
  }
  *port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

LoopbackServer::LoopbackServer(std::function<void(int fd)> serve, int backlog)
    : stop_fd_(eventfd(0, EFD_CLOEXEC)) {
  listen_fd_ = ListenOnLoopback(backlog, &port_);
  if (!serve) return;
  thread_ = std::thread([this, serve = std::move(serve)] {
    for (;;) {
      pollfd fds[2] = {{listen_fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
      if (poll(fds, 2, -1) < 0 && errno != EINTR) return;
      if (fds[1].revents) return;
      if (!(fds[0].revents & POLLIN)) continue;
      const int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      serve(fd);
      close(fd);
    }
  });
}

LoopbackServer::~LoopbackServer() {
  const std::uint64_t one = 1;
  [[maybe_unused]] ssize_t ignored = write(stop_fd_, &one, sizeof one);
  if (thread_.joinable()) thread_.join();
  for (int fd : queued_) close(fd);
  close(listen_fd_);
  close(stop_fd_);
}

void LoopbackServer::FillQueue() {
  // The queue of a listener with backlog b holds b + 1 connections.
  for (int i = 0; i < 2; ++i) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port_);
    connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    queued_.push_back(fd);
  }
  // Let the handshakes finish.
  pollfd fds[2] = {{queued_[0], POLLOUT, 0}, {queued_[1], POLLOUT, 0}};
  poll(fds, 2, 500);
}

bool ReadExactly(int fd, std::span<std::uint8_t> buffer) {
  while (!buffer.empty()) {
    const ssize_t got = recv(fd, buffer.data(), buffer.size(), 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    buffer = buffer.subspan(static_cast<std::size_t>(got));
  }
  return true;
}

bool WriteAll(int fd, std::span<const std::uint8_t> data) {
  while (!data.empty()) {
    const ssize_t sent = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    data = data.subspan(static_cast<std::size_t>(sent));
  }
  return true;
}

std::uint16_t UnusedPort() {
  std::uint16_t port = 0;
  const int fd = ListenOnLoopback(1, &port);
  close(fd);  // nobody listens there any more
  return port;
}

}  // namespace platform::testing
