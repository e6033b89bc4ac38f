// The socket library: start-up and clean-up, sockets of the infrared family
// and the enumeration of the peers in range.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sockets.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

constexpr int kListSize = 116;  // a count and four devices

class SocketLibraryTest : public ::testing::Test {
 protected:
  SocketService& sockets() { return device_.handheld().GetService<SocketService>(); }

  void Start() {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
  }

  // The enumeration's entries, or nothing with the error in *error.
  std::vector<IRDA_DEVICE_INFO> Enumerate(SOCKET socket, int buffer_size = kListSize,
                                          int* error = nullptr) {
    std::vector<char> buffer(static_cast<std::size_t>(buffer_size));
    int length = buffer_size;
    if (getsockopt(socket, SOL_IRLMP, IRLMP_ENUMDEVICES, buffer.data(), &length) != 0) {
      if (error) *error = WSAGetLastError();
      return {};
    }
    DWORD count;
    std::memcpy(&count, buffer.data(), sizeof count);
    EXPECT_EQ(length, static_cast<int>(kDeviceListHeaderSize + count * sizeof(IRDA_DEVICE_INFO)));
    std::vector<IRDA_DEVICE_INFO> devices(count);
    if (count > 0) {
      std::memcpy(devices.data(), buffer.data() + kDeviceListHeaderSize,
                  count * sizeof(IRDA_DEVICE_INFO));
    }
    return devices;
  }

  testing::TempHandheld device_;
};

TEST_F(SocketLibraryTest, OffersVersionOneOneAndCountsStartUps) {
  WSADATA data;
  EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
  EXPECT_EQ(socket(AF_IRDA, SOCK_STREAM, 0), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);

  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
  EXPECT_EQ(data.wHighVersion, MAKEWORD(1, 1));
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);

  const SOCKET first = socket(AF_IRDA, SOCK_STREAM, 0);
  ASSERT_NE(first, INVALID_SOCKET);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(sockets().OpenSockets(), 1u);  // one start-up is left
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(sockets().OpenSockets(), 0u);  // the last clean-up closed it
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST_F(SocketLibraryTest, MakesOnlyStreamSocketsOfTheInfraredFamily) {
  Start();
  EXPECT_EQ(socket(2, SOCK_STREAM, 0), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);
  EXPECT_EQ(socket(AF_IRDA, 2, 0), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAESOCKTNOSUPPORT);
  EXPECT_EQ(socket(AF_IRDA, SOCK_STREAM, 6), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAEPROTONOSUPPORT);

  const SOCKET first = socket(AF_IRDA, SOCK_STREAM, 0);
  ASSERT_NE(first, INVALID_SOCKET);
  EXPECT_EQ(closesocket(first), 0);
  EXPECT_EQ(closesocket(first), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
  // A handle is never given out twice.
  const SOCKET second = socket(AF_IRDA, SOCK_STREAM, 0);
  EXPECT_NE(second, first);
  int length = kListSize;
  char buffer[kListSize];
  EXPECT_EQ(getsockopt(first, SOL_IRLMP, IRLMP_ENUMDEVICES, buffer, &length), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
  EXPECT_EQ(getsockopt(second, 0xFFFF, 0x1008, buffer, &length), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOPROTOOPT);
  WSACleanup();
}

TEST_F(SocketLibraryTest, EnumerationFindsNobodyWithoutPeers) {
  Start();
  const SOCKET s = socket(AF_IRDA, SOCK_STREAM, 0);
  int error = 0;
  EXPECT_TRUE(Enumerate(s, kListSize, &error).empty());
  EXPECT_EQ(error, 0);
  WSACleanup();
}

TEST_F(SocketLibraryTest, EnumerationListsTheConfiguredPeersThatFit) {
  const std::vector<std::string> names = {"Pocket", "Laptop", "Phone", "Printer", "Fifth"};
  for (const std::string& name : names) sockets().AddInfraredPeer({name, "127.0.0.1"});
  EXPECT_EQ(sockets().InfraredPeers().at(2).port, kObexIrdaPort);
  Start();
  const SOCKET s = socket(AF_IRDA, SOCK_STREAM, 0);

  std::vector<IRDA_DEVICE_INFO> devices = Enumerate(s);
  ASSERT_EQ(devices.size(), 4u);  // the 116-byte list holds four
  for (std::size_t i = 0; i < devices.size(); ++i) {
    EXPECT_EQ(std::string(devices[i].irdaDeviceName), names[i]);
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_NE(std::memcmp(devices[i].irdaDeviceID, devices[j].irdaDeviceID, 4), 0);
    }
  }
  EXPECT_EQ(Enumerate(s, 4 + 2 * 28).size(), 2u);
  EXPECT_EQ(Enumerate(s, 4 + 10 * 28).size(), 5u);

  int error = 0;
  EXPECT_TRUE(Enumerate(s, 3, &error).empty());
  EXPECT_EQ(error, WSAEFAULT);
  WSACleanup();
}

TEST_F(SocketLibraryTest, LongDeviceNamesAreCutAndTerminated) {
  sockets().AddInfraredPeer({"A device name longer than twenty-two bytes", "127.0.0.1"});
  Start();
  std::vector<IRDA_DEVICE_INFO> devices = Enumerate(socket(AF_IRDA, SOCK_STREAM, 0));
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].irdaDeviceName[21], '\0');
  EXPECT_EQ(std::string(devices[0].irdaDeviceName), "A device name longer ");
  WSACleanup();
}

TEST_F(SocketLibraryTest, DiscoveryTakesItsTimeOnTheClock) {
  sockets().SetDiscoveryTime(700);
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1"});
  Start();
  const std::uint64_t start = clock::NowMs();
  EXPECT_EQ(Enumerate(socket(AF_IRDA, SOCK_STREAM, 0)).size(), 1u);
  EXPECT_EQ(clock::NowMs() - start, 700u);
  WSACleanup();
}

TEST_F(SocketLibraryTest, ClosingFromAnotherThreadEndsAnEnumeration) {
  sockets().SetDiscoveryTime(60'000);
  Start();
  const SOCKET s = socket(AF_IRDA, SOCK_STREAM, 0);
  int error = 0;
  ThreadHandle searcher = CreateThread([&] {
    error = Enumerate(s, kListSize, &error).empty() ? error : -1;
    return DWORD{0};
  });
  Sleep(10);  // the searcher is waiting by now: only it has a deadline later than this
  const std::uint64_t closed_at = clock::NowMs();
  EXPECT_EQ(closesocket(s), 0);
  ASSERT_EQ(WaitForSingleObject(searcher, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(error, WSAEINTR);
  EXPECT_EQ(clock::NowMs(), closed_at);
  WSACleanup();
}

TEST_F(SocketLibraryTest, ShutdownEndsTheLibrary) {
  Start();
  const SOCKET s = socket(AF_IRDA, SOCK_STREAM, 0);
  sockets().Shutdown();
  EXPECT_EQ(sockets().OpenSockets(), 0u);
  EXPECT_EQ(closesocket(s), SOCKET_ERROR);
  EXPECT_EQ(socket(AF_IRDA, SOCK_STREAM, 0), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAENETDOWN);
}

}  // namespace
}  // namespace platform
