// One TCP connection of the host that carries an infrared stream. Every
// call that waits polls the connection together with a wake-up descriptor,
// so that Interrupt from any thread ends it at once. The waiting thread is
// not in a platform wait: it stays counted as running, which holds a
// virtual clock still while real input or output is pending.
//
// Kept apart from platform/sockets.h: this file speaks the host's sockets.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <span>
#include <string>

#include "platform/types.h"

namespace platform::sockets_internal {

enum class StreamResult {
  kOk,
  kClosedByPeer,  // an orderly end of the peer's data
  kInterrupted,   // Interrupt was called
  kRefused,       // nobody listens at the address
  kUnreachable,   // no such host, or no route to it
  kReset,         // the connection broke
  kFailed,        // any other failure of the host
};

class HostStream {
 public:
  HostStream();
  ~HostStream();
  HostStream(const HostStream&) = delete;
  HostStream& operator=(const HostStream&) = delete;

  // Tries each address of host in turn.
  StreamResult Connect(const std::string& host, WORD port);
  // Everything or a failure.
  StreamResult SendAll(std::span<const BYTE> data);
  // At least one byte into *received, or a failure (kClosedByPeer at the end).
  StreamResult Receive(std::span<BYTE> buffer, std::size_t* received);
  // Ends the call that waits now and fails every later one; the peer sees
  // the connection end. Safe from any thread, any number of times.
  void Interrupt();

 private:
  // kOk once the connection is ready for `events`.
  StreamResult WaitFor(int fd, short events);
  StreamResult ConnectTo(const void* address, unsigned address_length, int family);
  int CurrentFd();

  std::mutex mutex_;  // guards fd_ against a concurrent Interrupt
  int fd_ = -1;
  int wake_fd_ = -1;
  std::atomic<bool> interrupted_{false};
};

}  // namespace platform::sockets_internal
