// The state behind SocketService: the socket library's start-ups, the open
// sockets by handle and the infrared peers in range.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/sockets.h"
#include "platform/threads.h"
#include "sockets/host_stream.h"

namespace platform {

namespace sockets_internal {

struct OpenSocket {
  std::shared_ptr<HostStream> stream = std::make_shared<HostStream>();
  // Set when the socket is closed: ends a wait of the enumeration.
  EventHandle closed = CreateEvent(true, false);
  bool connecting = false;  // guarded by the table's mutex
  std::atomic<bool> connected{false};
};

struct KnownPeer {
  InfraredPeer peer;
  DWORD device_id = 0;
};

}  // namespace sockets_internal

struct SocketService::State {
  mutable std::mutex mutex;
  int startups = 0;
  bool shut_down = false;
  // Handles are never used twice, so a stale handle never reaches a newer
  // socket.
  SOCKET next_handle = 0x100;
  std::map<SOCKET, std::shared_ptr<sockets_internal::OpenSocket>> sockets;
  std::vector<sockets_internal::KnownPeer> peers;
  DWORD next_device_id = 0x00000001;
  DWORD discovery_ms = 0;

  // Closes every socket; the caller holds the mutex.
  void CloseAll();
  // Takes a socket out of the table and ends what waits on it.
  static void End(sockets_internal::OpenSocket& socket);
  std::optional<sockets_internal::KnownPeer> PeerById(DWORD device_id) const;
};

}  // namespace platform
