// Sockets of the infrared (IrDA) family, carried over TCP. The devices in
// range are the handheld's configured infrared peers (name, host, port); a
// connection to a peer's "OBEX" service is a TCP connection to its host and
// port (650 unless said otherwise). The calls keep the socket library's
// names, structures and error numbers, because the deliverables use them as
// values.
//
// Blocking: a call waiting for the peer keeps its thread counted as running,
// so a virtual clock holds still while real input or output is pending;
// closing the socket from another thread ends such a call with WSAEINTR.
//
// This header keeps the platform's names (AF_IRDA, SOCK_STREAM, send, ...)
// and so does not mix with the host's socket headers in one file.
#pragma once

#ifdef AF_IRDA
#error "platform/sockets.h and the host's socket headers do not mix in one file"
#endif

#include <memory>
#include <string>
#include <vector>

#include "platform/handheld.h"
#include "platform/types.h"

namespace platform {

using SOCKET = UINT_PTR;
inline constexpr SOCKET INVALID_SOCKET = ~SOCKET{0};
inline constexpr int SOCKET_ERROR = -1;

inline constexpr int AF_IRDA = 22;
inline constexpr int SOCK_STREAM = 1;
// The IrLMP option level and its device enumeration.
inline constexpr int SOL_IRLMP = 0x00FF;
inline constexpr int IRLMP_ENUMDEVICES = 0x00000010;

// The port an OBEX peer listens on for infrared carried over TCP.
inline constexpr WORD kObexIrdaPort = 650;

constexpr WORD MAKEWORD(BYTE low, BYTE high) { return static_cast<WORD>(low | (high << 8)); }
constexpr BYTE LOBYTE(WORD value) { return static_cast<BYTE>(value & 0xFF); }
constexpr BYTE HIBYTE(WORD value) { return static_cast<BYTE>(value >> 8); }

// Error numbers, as WSAGetLastError gives them.
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAENOPROTOOPT = 10042;
inline constexpr int WSAEPROTONOSUPPORT = 10043;
inline constexpr int WSAESOCKTNOSUPPORT = 10044;
inline constexpr int WSAEOPNOTSUPP = 10045;
inline constexpr int WSAEAFNOSUPPORT = 10047;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;

struct WSADATA {
  WORD wVersion = 0;
  WORD wHighVersion = 0;
  char szDescription[257] = {};
  char szSystemStatus[129] = {};
  unsigned short iMaxSockets = 0;
  unsigned short iMaxUdpDg = 0;
  char* lpVendorInfo = nullptr;
};

// A generic address; the infrared one below is passed in its place.
struct sockaddr {
  WORD sa_family = 0;
  char sa_data[14] = {};
};

struct SOCKADDR_IRDA {
  WORD irdaAddressFamily = AF_IRDA;
  BYTE irdaDeviceID[4] = {};
  char irdaServiceName[25] = {};
};

// One device of an enumeration: 28 bytes.
struct IRDA_DEVICE_INFO {
  BYTE irdaDeviceID[4];
  char irdaDeviceName[22];  // zero-terminated unless all 22 are used
  BYTE Reserved[2];
};
static_assert(sizeof(IRDA_DEVICE_INFO) == 28);

// The enumeration's result: a count, then as many entries as the caller's
// buffer holds. A buffer of 116 bytes holds four.
struct DEVICELIST {
  DWORD numDevice;
  IRDA_DEVICE_INFO Device[1];
};
static_assert(sizeof(DEVICELIST) == 32);
inline constexpr int kDeviceListHeaderSize = 4;

// 0, or the error number (WSAVERNOTSUPPORTED for a version below 1.1). The
// library offers version 1.1; each successful start needs one clean-up.
int WSAStartup(WORD version_requested, WSADATA* data);
// The last clean-up closes every socket still open.
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int error);

// A stream socket of AF_IRDA (protocol 0); INVALID_SOCKET otherwise.
SOCKET socket(int address_family, int type, int protocol);
// Connects to a device of the last enumeration by its id and the service
// name "OBEX" (any other service: WSAECONNREFUSED).
int connect(SOCKET socket, const sockaddr* name, int name_length);
// SOL_IRLMP / IRLMP_ENUMDEVICES fills a DEVICELIST with the peers in range;
// *option_length becomes the bytes used.
int getsockopt(SOCKET socket, int level, int option_name, char* option_value, int* option_length);
// Sends all of the data (the count) or fails.
int send(SOCKET socket, const char* buffer, int length, int flags);
// The bytes that arrived (at least one), 0 when the peer closed the
// connection, SOCKET_ERROR on failure.
int recv(SOCKET socket, char* buffer, int length, int flags);
int closesocket(SOCKET socket);

// An infrared peer the handheld sees: its device name and where it listens.
struct InfraredPeer {
  std::string name;  // at most 21 bytes are reported
  std::string host;
  WORD port = kObexIrdaPort;
};

// The handheld's sockets and its infrared neighbourhood:
//   handheld.GetService<SocketService>().AddInfraredPeer({"Pocket", "127.0.0.1"});
class SocketService final : public HandheldService {
 public:
  explicit SocketService(Handheld& handheld);
  ~SocketService() override;
  SocketService(const SocketService&) = delete;
  SocketService& operator=(const SocketService&) = delete;

  // Peers in range, in the order of the enumeration.
  void AddInfraredPeer(InfraredPeer peer);
  void ClearInfraredPeers();
  std::vector<InfraredPeer> InfraredPeers() const;
  // How long an enumeration takes on the handheld's clock (0 by default).
  void SetDiscoveryTime(DWORD milliseconds);
  // Sockets open now.
  std::size_t OpenSockets() const;

  // Closes every socket, ending the calls that wait.
  void Shutdown() override;

  struct State;
  State& state() { return *state_; }

 private:
  std::unique_ptr<State> state_;
};

}  // namespace platform
