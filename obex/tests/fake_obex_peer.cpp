#include "fake_obex_peer.h"

#include <sys/socket.h>

#include <chrono>

#include "loopback_server.h"

namespace obex::testing {

struct FakeObexPeer::Listener {
  explicit Listener(FakeObexPeer* peer) : server([peer](int fd) { peer->Serve(fd); }) {}
  platform::testing::LoopbackServer server;
};

Bytes ConnectAnswer(std::uint16_t max_packet) {
  return {0xA0,
          0x00,
          0x07,
          0x10,
          0x00,
          static_cast<std::uint8_t>(max_packet >> 8),
          static_cast<std::uint8_t>(max_packet)};
}

FakeObexPeer::FakeObexPeer(PeerScript script)
    : script_(std::move(script)), listener_(std::make_unique<Listener>(this)) {}

FakeObexPeer::~FakeObexPeer() { listener_.reset(); }

std::uint16_t FakeObexPeer::port() const { return listener_->server.port(); }

std::vector<Bytes> FakeObexPeer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool FakeObexPeer::WaitUntilStalled() {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return stalled_; });
}

Bytes FakeObexPeer::AnswerTo(std::size_t index, const Bytes& request) const {
  if (auto it = script_.answers.find(index); it != script_.answers.end()) return it->second;
  if (request[0] == 0x80) return ConnectAnswer(script_.max_packet);
  if (request[0] == 0x02) return {0x90, 0x00, 0x03};
  return {0xA0, 0x00, 0x03};
}

namespace {

void DrainUntilClosed(int fd) {
  std::uint8_t byte;
  while (platform::testing::ReadExactly(fd, std::span(&byte, 1))) {
  }
}

}  // namespace

void FakeObexPeer::Serve(int fd) {
  using platform::testing::ReadExactly;
  for (std::size_t index = 0;; ++index) {
    Bytes request(3);
    if (!ReadExactly(fd, request)) return;
    const std::size_t length = std::size_t{request[1]} << 8 | request[2];
    if (length < 3) return;
    request.resize(length);
    if (!ReadExactly(fd, std::span(request).subspan(3))) return;
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    if (script_.stall_at && index >= *script_.stall_at) {
      {
        std::lock_guard lock(mutex_);
        stalled_ = true;
      }
      changed_.notify_all();
      DrainUntilClosed(fd);
      return;
    }
    if (!platform::testing::WriteAll(fd, AnswerTo(index, request))) return;
    if (script_.hang_up_after && index >= *script_.hang_up_after) {
      // Send our end-of-stream but keep reading: closing with the sender's
      // next packet unread would answer it with a reset instead.
      ::shutdown(fd, SHUT_WR);
      DrainUntilClosed(fd);
      return;
    }
  }
}

}  // namespace obex::testing
