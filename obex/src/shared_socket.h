// The socket the send worker talks through, shared with the closing thread:
// closing it is how a search or a blocked transfer is ended.
#pragma once

#include <mutex>

#include "platform/sockets.h"
#include "platform/threads.h"

namespace obex {

class SharedSocket {
 public:
  // Hands the worker's new socket over. False, with the socket closed, when
  // closing began before it was made: the worker then gives up at once.
  bool Publish(platform::SOCKET socket);
  // The closing thread: closes the socket and refuses any later one.
  void Cancel();
  // The worker, at the end of its transfer.
  void Close();
  bool cancelled() const;
  // Waits `milliseconds` unless closing begins first; true when it did.
  bool WaitForCancel(platform::DWORD milliseconds) const;

 private:
  // Set by Cancel, so that a worker resting between two searches wakes at
  // once instead of at the end of its rest.
  const platform::EventHandle cancel_event_ = platform::CreateEvent(true, false);
  mutable std::mutex mutex_;
  platform::SOCKET socket_ = platform::INVALID_SOCKET;
  bool cancelled_ = false;
};

}  // namespace obex
