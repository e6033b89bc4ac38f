// A small OBEX responder on the host's loopback that records every request
// it receives, byte for byte, and answers as its script says. It stands in
// for the infrared device in range.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace obex::testing {

using Bytes = std::vector<std::uint8_t>;

struct PeerScript {
  // The answer to Connect: success with this maximum packet size.
  std::uint16_t max_packet = 4192;
  // Answers that replace the usual one, by request number (0 is Connect).
  std::map<std::size_t, Bytes> answers;
  // From this request on the peer answers nothing and holds the connection.
  std::optional<std::size_t> stall_at;
  // After this request's answer the peer ends the connection.
  std::optional<std::size_t> hang_up_after;

  PeerScript& Offering(std::uint16_t maximum) {
    max_packet = maximum;
    return *this;
  }
  PeerScript& Answering(std::size_t request, Bytes answer) {
    answers[request] = std::move(answer);
    return *this;
  }
  PeerScript& StallingAt(std::size_t request) {
    stall_at = request;
    return *this;
  }
  PeerScript& HangingUpAfter(std::size_t request) {
    hang_up_after = request;
    return *this;
  }
};

// A success answer to Connect offering `max_packet`.
Bytes ConnectAnswer(std::uint16_t max_packet);

class FakeObexPeer {
 public:
  explicit FakeObexPeer(PeerScript script = {});
  ~FakeObexPeer();
  FakeObexPeer(const FakeObexPeer&) = delete;
  FakeObexPeer& operator=(const FakeObexPeer&) = delete;

  std::uint16_t port() const;
  std::vector<Bytes> Requests() const;
  // Waits in real time (at most ten seconds) until the peer has stalled.
  bool WaitUntilStalled();

 private:
  void Serve(int fd);
  Bytes AnswerTo(std::size_t index, const Bytes& request) const;

  PeerScript script_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Bytes> requests_;
  bool stalled_ = false;
  struct Listener;
  std::unique_ptr<Listener> listener_;
};

}  // namespace obex::testing
