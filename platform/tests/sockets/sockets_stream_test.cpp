// Connections to an infrared peer's OBEX service, carried over TCP to a
// listener on the host's loopback: connect, send, receive, close, and how
// waiting for the peer meets the handheld's clock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "loopback_server.h"
#include "platform/sockets.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

class SocketStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
  }
  void TearDown() override { WSACleanup(); }

  SocketService& sockets() { return device_.handheld().GetService<SocketService>(); }

  // A socket and the address of the first device found.
  SOCKET Discover(SOCKADDR_IRDA* address, const char* service = "OBEX") {
    const SOCKET s = socket(AF_IRDA, SOCK_STREAM, 0);
    char list[116];
    int length = sizeof list;
    EXPECT_EQ(getsockopt(s, SOL_IRLMP, IRLMP_ENUMDEVICES, list, &length), 0);
    DEVICELIST devices;
    std::memcpy(&devices, list, sizeof devices);
    EXPECT_GE(devices.numDevice, 1u);
    std::memcpy(address->irdaDeviceID, devices.Device[0].irdaDeviceID, 4);
    std::strcpy(address->irdaServiceName, service);
    return s;
  }

  static int Connect(SOCKET s, const SOCKADDR_IRDA& address) {
    return connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }

  testing::TempHandheld device_;
};

// Echoes what arrives until the connection ends.
void Echo(int fd) {
  std::uint8_t byte;
  while (testing::ReadExactly(fd, std::span(&byte, 1)) &&
         testing::WriteAll(fd, std::span(&byte, 1))) {
  }
}

TEST_F(SocketStreamTest, ConnectsToTheObexServiceAndExchangesBytes) {
  testing::LoopbackServer server(Echo);
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", server.port()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address);
  ASSERT_EQ(Connect(s, address), 0) << WSAGetLastError();
  EXPECT_EQ(Connect(s, address), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEISCONN);

  std::string message(3000, 'x');
  for (std::size_t i = 0; i < message.size(); ++i) message[i] = static_cast<char>('a' + i % 26);
  ASSERT_EQ(send(s, message.data(), static_cast<int>(message.size()), 0), 3000);
  std::string echoed;
  char buffer[700];
  while (echoed.size() < message.size()) {
    const int got = recv(s, buffer, sizeof buffer, 0);
    ASSERT_GT(got, 0);
    ASSERT_LE(got, static_cast<int>(sizeof buffer));
    echoed.append(buffer, static_cast<std::size_t>(got));
  }
  EXPECT_EQ(echoed, message);
  EXPECT_EQ(closesocket(s), 0);
}

TEST_F(SocketStreamTest, RefusesUnknownDevicesAndServices) {
  testing::LoopbackServer server(Echo);
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", server.port()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address, "IrLPT");
  EXPECT_EQ(Connect(s, address), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);

  std::strcpy(address.irdaServiceName, "OBEX");
  address.irdaDeviceID[3] ^= 0x5A;
  EXPECT_EQ(Connect(s, address), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEADDRNOTAVAIL);

  char byte = 0;
  EXPECT_EQ(send(s, &byte, 1, 0), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTCONN);
  EXPECT_EQ(recv(s, &byte, 1, 0), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTCONN);
}

TEST_F(SocketStreamTest, APeerThatDoesNotListenRefusesTheConnection) {
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", testing::UnusedPort()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address);
  EXPECT_EQ(Connect(s, address), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);
}

TEST_F(SocketStreamTest, ReceiveGivesZeroWhenThePeerEnds) {
  testing::LoopbackServer server([](int fd) {
    const std::uint8_t reply[] = {0xA0, 0x00, 0x03};
    testing::WriteAll(fd, reply);
  });
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", server.port()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address);
  ASSERT_EQ(Connect(s, address), 0);
  char buffer[16];
  int total = 0;
  int got;
  while ((got = recv(s, buffer + total, sizeof buffer - total, 0)) > 0) total += got;
  EXPECT_EQ(got, 0);
  EXPECT_EQ(total, 3);
  EXPECT_EQ(static_cast<std::uint8_t>(buffer[0]), 0xA0);
}

// A peer that takes its time: it answers a byte after a real pause, or
// never, and holds the connection until the handheld ends it.
class SlowPeer {
 public:
  explicit SlowPeer(std::optional<std::chrono::milliseconds> pause)
      : server_([pause](int fd) {
          std::uint8_t byte;
          if (!testing::ReadExactly(fd, std::span(&byte, 1))) return;
          if (pause) {
            std::this_thread::sleep_for(*pause);
            testing::WriteAll(fd, std::span(&byte, 1));
          }
          while (testing::ReadExactly(fd, std::span(&byte, 1))) {
          }
        }) {}
  std::uint16_t port() const { return server_.port(); }

 private:
  testing::LoopbackServer server_;
};

TEST_F(SocketStreamTest, TheClockHoldsStillWhileAReceiveWaitsForThePeer) {
  SlowPeer peer(std::chrono::milliseconds(300));
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", peer.port()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address);
  ASSERT_EQ(Connect(s, address), 0);

  std::atomic<int> got{-2};
  ThreadHandle reader = CreateThread([&] {
    char byte = 'q';
    send(s, &byte, 1, 0);
    got = recv(s, &byte, 1, 0);
    return DWORD{0};
  });
  const std::uint64_t start = clock::NowMs();
  // Were the clock free to run, this wait would time out at once.
  EXPECT_EQ(WaitForSingleObject(reader, 100), WAIT_OBJECT_0);
  EXPECT_EQ(got, 1);
  EXPECT_EQ(clock::NowMs(), start);
  closesocket(s);
}

TEST_F(SocketStreamTest, ClosingFromAnotherThreadEndsABlockedReceive) {
  SlowPeer peer(std::nullopt);
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", peer.port()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address);
  ASSERT_EQ(Connect(s, address), 0);

  std::atomic<int> result{0};
  std::atomic<int> error{0};
  std::atomic<bool> sent{false};
  ThreadHandle reader = CreateThread([&] {
    char byte = 'q';
    send(s, &byte, 1, 0);
    sent = true;
    result = recv(s, &byte, 1, 0);
    error = WSAGetLastError();
    return DWORD{0};
  });
  while (!sent) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // into the receive
  const std::uint64_t closed_at = clock::NowMs();
  EXPECT_EQ(closesocket(s), 0);
  ASSERT_EQ(WaitForSingleObject(reader, 1000), WAIT_OBJECT_0);
  EXPECT_EQ(result, SOCKET_ERROR);
  EXPECT_EQ(error, WSAEINTR);
  EXPECT_EQ(clock::NowMs(), closed_at);
}

TEST_F(SocketStreamTest, ClosingFromAnotherThreadEndsABlockedConnect) {
  testing::LoopbackServer server(nullptr, 0);
  server.FillQueue();
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", server.port()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address);

  std::atomic<int> result{0};
  std::atomic<int> error{0};
  ThreadHandle connector = CreateThread([&] {
    result = Connect(s, address);
    error = WSAGetLastError();
    return DWORD{0};
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(result, 0) << "the connection attempt should still wait";
  EXPECT_EQ(closesocket(s), 0);
  ASSERT_EQ(WaitForSingleObject(connector, 1000), WAIT_OBJECT_0);
  EXPECT_EQ(result, SOCKET_ERROR);
  EXPECT_EQ(error, WSAEINTR);
}

TEST_F(SocketStreamTest, HandheldShutdownEndsABlockedReceive) {
  SlowPeer peer(std::nullopt);
  sockets().AddInfraredPeer({"Pocket", "127.0.0.1", peer.port()});
  SOCKADDR_IRDA address;
  const SOCKET s = Discover(&address);
  ASSERT_EQ(Connect(s, address), 0);
  std::atomic<int> result{0};
  ThreadHandle reader = CreateThread([&] {
    char byte = 'q';
    send(s, &byte, 1, 0);
    result = recv(s, &byte, 1, 0);
    return DWORD{0};
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  device_.handheld().Shutdown();  // would hang here if the receive stayed blocked
  EXPECT_EQ(result, SOCKET_ERROR);
}

}  // namespace
}  // namespace platform
