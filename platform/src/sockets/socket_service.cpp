// The handheld's socket service: its infrared neighbourhood and its sockets.
#include "sockets/socket_table.h"

namespace platform {

using sockets_internal::KnownPeer;
using sockets_internal::OpenSocket;

SocketService::SocketService(Handheld&) : state_(std::make_unique<State>()) {}

SocketService::~SocketService() { Shutdown(); }

void SocketService::AddInfraredPeer(InfraredPeer peer) {
  std::lock_guard lock(state_->mutex);
  state_->peers.push_back(KnownPeer{std::move(peer), state_->next_device_id++});
}

void SocketService::ClearInfraredPeers() {
  std::lock_guard lock(state_->mutex);
  state_->peers.clear();
}

std::vector<InfraredPeer> SocketService::InfraredPeers() const {
  std::lock_guard lock(state_->mutex);
  std::vector<InfraredPeer> peers;
  for (const KnownPeer& known : state_->peers) peers.push_back(known.peer);
  return peers;
}

void SocketService::SetDiscoveryTime(DWORD milliseconds) {
  std::lock_guard lock(state_->mutex);
  state_->discovery_ms = milliseconds;
}

std::size_t SocketService::OpenSockets() const {
  std::lock_guard lock(state_->mutex);
  return state_->sockets.size();
}

void SocketService::Shutdown() {
  std::lock_guard lock(state_->mutex);
  state_->shut_down = true;
  state_->CloseAll();
}

void SocketService::State::End(OpenSocket& socket) {
  socket.stream->Interrupt();
  SetEvent(socket.closed);
}

void SocketService::State::CloseAll() {
  for (auto& [handle, socket] : sockets) End(*socket);
  sockets.clear();
}

std::optional<KnownPeer> SocketService::State::PeerById(DWORD device_id) const {
  for (const KnownPeer& known : peers) {
    if (known.device_id == device_id) return known;
  }
  return std::nullopt;
}

}  // namespace platform
