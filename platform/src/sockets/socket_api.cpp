// The socket calls of the infrared family on the current handheld.
#include <algorithm>
#include <cstring>

#include "platform/last_error.h"
#include "platform/sockets.h"
#include "sockets/socket_table.h"

namespace platform {

using sockets_internal::KnownPeer;
using sockets_internal::OpenSocket;
using sockets_internal::StreamResult;

namespace {

constexpr WORD kOfferedVersion = MAKEWORD(1, 1);
constexpr char kObexService[] = "OBEX";

SocketService::State& Sockets() { return Handheld::Current().GetService<SocketService>().state(); }

int Fail(int error) {
  WSASetLastError(error);
  return SOCKET_ERROR;
}

int ErrorOf(StreamResult result) {
  switch (result) {
    case StreamResult::kOk:
      return 0;
    case StreamResult::kClosedByPeer:
    case StreamResult::kReset:
      return WSAECONNRESET;
    case StreamResult::kInterrupted:
      return WSAEINTR;
    case StreamResult::kRefused:
      return WSAECONNREFUSED;
    case StreamResult::kUnreachable:
      return WSAEHOSTUNREACH;
    case StreamResult::kFailed:
      break;
  }
  return WSAENETDOWN;
}

// The open socket behind a handle, or null with the error set.
std::shared_ptr<OpenSocket> Find(SocketService::State& state, SOCKET handle) {
  std::lock_guard lock(state.mutex);
  if (state.startups == 0) {
    WSASetLastError(WSANOTINITIALISED);
    return nullptr;
  }
  auto it = state.sockets.find(handle);
  if (it == state.sockets.end()) {
    WSASetLastError(WSAENOTSOCK);
    return nullptr;
  }
  return it->second;
}

DWORD DeviceIdFromBytes(const BYTE bytes[4]) {
  return DWORD{bytes[0]} | DWORD{bytes[1]} << 8 | DWORD{bytes[2]} << 16 | DWORD{bytes[3]} << 24;
}

void DeviceIdToBytes(DWORD id, BYTE bytes[4]) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(id >> (8 * i));
}

int EnumerateDevices(SocketService::State& state, const std::shared_ptr<OpenSocket>& socket,
                     char* option_value, int* option_length) {
  if (!option_value || !option_length || *option_length < kDeviceListHeaderSize) {
    return Fail(WSAEFAULT);
  }
  DWORD discovery_ms;
  {
    std::lock_guard lock(state.mutex);
    discovery_ms = state.discovery_ms;
  }
  // Discovery takes its time on the handheld's clock; closing the socket
  // ends it early.
  if (WaitForSingleObject(socket->closed, discovery_ms) != WAIT_TIMEOUT) return Fail(WSAEINTR);

  std::vector<KnownPeer> peers;
  {
    std::lock_guard lock(state.mutex);
    peers = state.peers;
  }
  const std::size_t room =
      static_cast<std::size_t>(*option_length - kDeviceListHeaderSize) / sizeof(IRDA_DEVICE_INFO);
  const DWORD count = static_cast<DWORD>(std::min(room, peers.size()));
  std::memcpy(option_value, &count, sizeof count);
  for (DWORD i = 0; i < count; ++i) {
    IRDA_DEVICE_INFO info{};
    DeviceIdToBytes(peers[i].device_id, info.irdaDeviceID);
    const std::string& name = peers[i].peer.name;
    std::memcpy(info.irdaDeviceName, name.data(),
                std::min(name.size(), sizeof info.irdaDeviceName - 1));
    std::memcpy(option_value + kDeviceListHeaderSize + i * sizeof info, &info, sizeof info);
  }
  *option_length = kDeviceListHeaderSize + static_cast<int>(count * sizeof(IRDA_DEVICE_INFO));
  return 0;
}

}  // namespace

int WSAGetLastError() { return static_cast<int>(GetLastError()); }

void WSASetLastError(int error) { SetLastError(static_cast<DWORD>(error)); }

int WSAStartup(WORD version_requested, WSADATA* data) {
  if (!data) return WSAEFAULT;
  const bool too_old =
      LOBYTE(version_requested) < 1 ||
      (LOBYTE(version_requested) == 1 && HIBYTE(version_requested) < HIBYTE(kOfferedVersion));
  if (too_old) return WSAVERNOTSUPPORTED;
  SocketService::State& state = Sockets();
  std::lock_guard lock(state.mutex);
  if (state.shut_down) return WSAENETDOWN;
  ++state.startups;
  *data = WSADATA{};
  data->wVersion = kOfferedVersion;
  data->wHighVersion = kOfferedVersion;
  std::strcpy(data->szDescription, "Infrared sockets over TCP");
  std::strcpy(data->szSystemStatus, "Running");
  data->iMaxSockets = 100;
  return 0;
}

int WSACleanup() {
  SocketService::State& state = Sockets();
  std::lock_guard lock(state.mutex);
  if (state.startups == 0) return Fail(WSANOTINITIALISED);
  if (--state.startups == 0) state.CloseAll();
  return 0;
}

SOCKET socket(int address_family, int type, int protocol) {
  SocketService::State& state = Sockets();
  std::lock_guard lock(state.mutex);
  int error = 0;
  if (state.startups == 0) {
    error = WSANOTINITIALISED;
  } else if (state.shut_down) {
    error = WSAENETDOWN;
  } else if (address_family != AF_IRDA) {
    error = WSAEAFNOSUPPORT;
  } else if (type != SOCK_STREAM) {
    error = WSAESOCKTNOSUPPORT;
  } else if (protocol != 0) {
    error = WSAEPROTONOSUPPORT;
  }
  if (error != 0) {
    WSASetLastError(error);
    return INVALID_SOCKET;
  }
  const SOCKET handle = state.next_handle++;
  state.sockets[handle] = std::make_shared<OpenSocket>();
  return handle;
}

int closesocket(SOCKET handle) {
  SocketService::State& state = Sockets();
  std::lock_guard lock(state.mutex);
  if (state.startups == 0) return Fail(WSANOTINITIALISED);
  auto it = state.sockets.find(handle);
  if (it == state.sockets.end()) return Fail(WSAENOTSOCK);
  SocketService::State::End(*it->second);
  state.sockets.erase(it);
  return 0;
}

int getsockopt(SOCKET handle, int level, int option_name, char* option_value, int* option_length) {
  SocketService::State& state = Sockets();
  std::shared_ptr<OpenSocket> socket = Find(state, handle);
  if (!socket) return SOCKET_ERROR;
  if (level != SOL_IRLMP || option_name != IRLMP_ENUMDEVICES) return Fail(WSAENOPROTOOPT);
  return EnumerateDevices(state, socket, option_value, option_length);
}

int connect(SOCKET handle, const sockaddr* name, int name_length) {
  SocketService::State& state = Sockets();
  std::shared_ptr<OpenSocket> socket = Find(state, handle);
  if (!socket) return SOCKET_ERROR;
  if (!name || name_length < static_cast<int>(sizeof(SOCKADDR_IRDA))) return Fail(WSAEFAULT);
  SOCKADDR_IRDA address;
  std::memcpy(static_cast<void*>(&address), name, sizeof address);
  if (address.irdaAddressFamily != AF_IRDA) return Fail(WSAEAFNOSUPPORT);
  const std::string service(address.irdaServiceName,
                            strnlen(address.irdaServiceName, sizeof address.irdaServiceName));

  std::optional<KnownPeer> peer;
  {
    std::lock_guard lock(state.mutex);
    if (socket->connected) return Fail(WSAEISCONN);
    if (socket->connecting) return Fail(WSAEINVAL);
    peer = state.PeerById(DeviceIdFromBytes(address.irdaDeviceID));
    if (!peer) return Fail(WSAEADDRNOTAVAIL);
    if (service != kObexService) return Fail(WSAECONNREFUSED);
    socket->connecting = true;
  }
  const StreamResult result = socket->stream->Connect(peer->peer.host, peer->peer.port);
  std::lock_guard lock(state.mutex);
  socket->connecting = false;
  if (result != StreamResult::kOk) return Fail(ErrorOf(result));
  socket->connected = true;
  return 0;
}

int send(SOCKET handle, const char* buffer, int length, int) {
  std::shared_ptr<OpenSocket> socket = Find(Sockets(), handle);
  if (!socket) return SOCKET_ERROR;
  if (length < 0 || (!buffer && length > 0)) return Fail(WSAEFAULT);
  if (!socket->connected) return Fail(WSAENOTCONN);
  const auto* bytes = reinterpret_cast<const BYTE*>(buffer);
  const StreamResult result =
      socket->stream->SendAll(std::span(bytes, static_cast<std::size_t>(length)));
  if (result != StreamResult::kOk) return Fail(ErrorOf(result));
  return length;
}

int recv(SOCKET handle, char* buffer, int length, int) {
  std::shared_ptr<OpenSocket> socket = Find(Sockets(), handle);
  if (!socket) return SOCKET_ERROR;
  if (length < 0 || (!buffer && length > 0)) return Fail(WSAEFAULT);
  if (!socket->connected) return Fail(WSAENOTCONN);
  if (length == 0) return 0;
  std::size_t received = 0;
  const StreamResult result = socket->stream->Receive(
      std::span(reinterpret_cast<BYTE*>(buffer), static_cast<std::size_t>(length)), &received);
  if (result == StreamResult::kClosedByPeer) return 0;
  if (result != StreamResult::kOk) return Fail(ErrorOf(result));
  return static_cast<int>(received);
}

}  // namespace platform
