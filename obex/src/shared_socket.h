// The socket the send worker talks through, shared with the closing thread:
// closing it is how a search or a blocked transfer is ended.
#pragma once

#include <mutex>

#include "platform/sockets.h"

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

 private:
  mutable std::mutex mutex_;
  platform::SOCKET socket_ = platform::INVALID_SOCKET;
  bool cancelled_ = false;
};

}  // namespace obex
