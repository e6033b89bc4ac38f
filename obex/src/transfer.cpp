#include "transfer.h"

#include <cstring>
#include <string>

#include "beam_resources.h"
#include "beam_sounds.h"
#include "obex_session.h"
#include "packet_channel.h"
#include "platform/time.h"

namespace obex {

namespace {

using platform::SOCKET;

constexpr platform::DWORD kSearchPeriodMs = 1000;
// A count and four devices.
constexpr int kDeviceListSize = 116;

// Holds the socket library between a successful start-up and the end.
class SocketLibrary {
 public:
  SocketLibrary() {
    platform::WSADATA data;
    started_ = platform::WSAStartup(platform::MAKEWORD(1, 1), &data) == 0;
  }
  ~SocketLibrary() {
    if (started_) platform::WSACleanup();
  }
  SocketLibrary(const SocketLibrary&) = delete;
  SocketLibrary& operator=(const SocketLibrary&) = delete;
  bool started() const { return started_; }

 private:
  bool started_ = false;
};

// Searches until a device in range takes the connection to its OBEX
// service; the device's name, or nothing once the search fails (the socket
// was closed). Closing also cuts the rest between two searches short.
std::optional<std::string> ConnectToFirstDevice(SOCKET socket, const SharedSocket& shared_socket) {
  for (;;) {
    char list[kDeviceListSize] = {};
    int length = sizeof list;
    if (platform::getsockopt(socket, platform::SOL_IRLMP, platform::IRLMP_ENUMDEVICES, list,
                             &length) == platform::SOCKET_ERROR) {
      return std::nullopt;
    }
    platform::DEVICELIST devices;
    std::memcpy(&devices, list, sizeof devices);
    if (devices.numDevice > 0) {
      platform::SOCKADDR_IRDA address;
      std::memcpy(address.irdaDeviceID, devices.Device[0].irdaDeviceID,
                  sizeof address.irdaDeviceID);
      std::strcpy(address.irdaServiceName, "OBEX");
      if (platform::connect(socket, reinterpret_cast<const platform::sockaddr*>(&address),
                            sizeof address) == 0) {
        const char* name = devices.Device[0].irdaDeviceName;
        return std::string(name, strnlen(name, sizeof devices.Device[0].irdaDeviceName));
      }
    }
    shared_socket.WaitForCancel(kSearchPeriodMs);
  }
}

}  // namespace

bool RunTransfer(const SendRecord& record, SharedSocket& shared_socket, BeamOutput& output) {
  SocketLibrary library;
  if (!library.started()) {
    output.Log("WSAStartup failed!");
    return false;
  }
  const SOCKET socket = platform::socket(platform::AF_IRDA, platform::SOCK_STREAM, 0);
  if (socket == platform::INVALID_SOCKET) {
    output.Log("Invalid socket!");
    return false;
  }
  if (!shared_socket.Publish(socket)) return false;
  output.StatusString(kStringSearching);

  const std::optional<std::string> device = ConnectToFirstDevice(socket, shared_socket);
  if (!device) {
    shared_socket.Close();
    return false;
  }
  output.StatusString(kStringConnected, *device);
  PlayBeamSound(BeamSound::kBegin);

  PacketChannel channel(socket, output);
  const bool sent = ObexSession(channel, output).Run(record);

  PlayBeamSound(BeamSound::kEnd);
  shared_socket.Close();
  return sent;
}

}  // namespace obex
