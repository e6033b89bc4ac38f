#include "shared_socket.h"

namespace obex {

bool SharedSocket::Publish(platform::SOCKET socket) {
  std::lock_guard lock(mutex_);
  if (cancelled_) {
    platform::closesocket(socket);
    return false;
  }
  socket_ = socket;
  return true;
}

void SharedSocket::Cancel() {
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (socket_ != platform::INVALID_SOCKET) platform::closesocket(socket_);
    socket_ = platform::INVALID_SOCKET;
  }
  platform::SetEvent(cancel_event_);
}

void SharedSocket::Close() {
  std::lock_guard lock(mutex_);
  if (socket_ != platform::INVALID_SOCKET) platform::closesocket(socket_);
  socket_ = platform::INVALID_SOCKET;
}

bool SharedSocket::cancelled() const {
  std::lock_guard lock(mutex_);
  return cancelled_;
}

bool SharedSocket::WaitForCancel(platform::DWORD milliseconds) const {
  return platform::WaitForSingleObject(cancel_event_, milliseconds) == platform::WAIT_OBJECT_0;
}

}  // namespace obex
