// The host's TCP connection under an infrared socket: non-blocking I/O
// polled together with an eventfd that Interrupt writes.
#include "sockets/host_stream.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/time.h"

namespace platform::sockets_internal {

namespace {

// A poll never waits longer than this, so that a thread asked to end
// reaches a platform call that can end it.
constexpr int kPollSliceMs = 100;

StreamResult FromErrno(int error) {
  switch (error) {
    case ECONNREFUSED:
      return StreamResult::kRefused;
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ETIMEDOUT:
      return StreamResult::kUnreachable;
    case ECONNRESET:
    case ECONNABORTED:
    case EPIPE:
      return StreamResult::kReset;
    default:
      return StreamResult::kFailed;
  }
}

struct AddressListDeleter {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

}  // namespace

HostStream::HostStream() : wake_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

HostStream::~HostStream() {
  if (fd_ >= 0) close(fd_);
  if (wake_fd_ >= 0) close(wake_fd_);
}

int HostStream::CurrentFd() {
  std::lock_guard lock(mutex_);
  return fd_;
}

void HostStream::Interrupt() {
  std::lock_guard lock(mutex_);
  interrupted_ = true;
  if (wake_fd_ >= 0) {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t ignored = write(wake_fd_, &one, sizeof one);
  }
  // The descriptor itself stays open until the last call has left it.
  if (fd_ >= 0) shutdown(fd_, SHUT_RDWR);
}

StreamResult HostStream::WaitFor(int fd, short events) {
  for (;;) {
    if (interrupted_) return StreamResult::kInterrupted;
    pollfd fds[2] = {{fd, events, 0}, {wake_fd_, POLLIN, 0}};
    const int ready = poll(fds, wake_fd_ >= 0 ? 2 : 1, kPollSliceMs);
    if (ready < 0 && errno != EINTR) return FromErrno(errno);
    if (interrupted_ || (fds[1].revents & POLLIN)) return StreamResult::kInterrupted;
    if (ready > 0 && fds[0].revents != 0) return StreamResult::kOk;
    // A point where a thread that is being terminated ends.
    Sleep(0);
  }
}

StreamResult HostStream::ConnectTo(const void* address, unsigned address_length, int family) {
  const int fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return FromErrno(errno);
  {
    std::lock_guard lock(mutex_);
    if (interrupted_) {
      close(fd);
      return StreamResult::kInterrupted;
    }
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }
  if (::connect(fd, static_cast<const struct sockaddr*>(address), address_length) == 0) {
    return StreamResult::kOk;
  }
  if (errno != EINPROGRESS) return FromErrno(errno);
  const StreamResult waited = WaitFor(fd, POLLOUT);
  if (waited != StreamResult::kOk) return waited;
  int error = 0;
  socklen_t length = sizeof error;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return FromErrno(errno);
  return error == 0 ? StreamResult::kOk : FromErrno(error);
}

StreamResult HostStream::Connect(const std::string& host, WORD port) {
  if (interrupted_) return StreamResult::kInterrupted;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
    return StreamResult::kUnreachable;
  }
  std::unique_ptr<addrinfo, AddressListDeleter> addresses(found);
  StreamResult result = StreamResult::kUnreachable;
  for (const addrinfo* address = found; address; address = address->ai_next) {
    result = ConnectTo(address->ai_addr, address->ai_addrlen, address->ai_family);
    if (result == StreamResult::kOk || result == StreamResult::kInterrupted) break;
  }
  return result;
}

StreamResult HostStream::SendAll(std::span<const BYTE> data) {
  const int fd = CurrentFd();
  while (!data.empty()) {
    if (interrupted_) return StreamResult::kInterrupted;
    const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent > 0) {
      data = data.subspan(static_cast<std::size_t>(sent));
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const StreamResult waited = WaitFor(fd, POLLOUT);
      if (waited != StreamResult::kOk) return waited;
    } else if (sent < 0 && errno != EINTR) {
      return interrupted_ ? StreamResult::kInterrupted : FromErrno(errno);
    }
  }
  return StreamResult::kOk;
}

StreamResult HostStream::Receive(std::span<BYTE> buffer, std::size_t* received) {
  *received = 0;
  const int fd = CurrentFd();
  for (;;) {
    if (interrupted_) return StreamResult::kInterrupted;
    const ssize_t got = ::recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
    // A shut-down descriptor reads as an orderly end: tell the two apart.
    if (interrupted_) return StreamResult::kInterrupted;
    if (got > 0) {
      *received = static_cast<std::size_t>(got);
      return StreamResult::kOk;
    }
    if (got == 0) return StreamResult::kClosedByPeer;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      const StreamResult waited = WaitFor(fd, POLLIN);
      if (waited != StreamResult::kOk) return waited;
    } else if (errno != EINTR) {
      return FromErrno(errno);
    }
  }
}

}  // namespace platform::sockets_internal
