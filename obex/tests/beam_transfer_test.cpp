// Sending files to a fake peer on the loopback: the exact packets, the
// negotiation of the packet size, the answers that are refused, and what
// the status and the log show.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "beam_test_fixture.h"
#include "fake_obex_peer.h"
#include "obex_packets.h"
#include "platform/time.h"

namespace obex::testing {
namespace {

std::vector<std::size_t> SizesOf(const std::vector<Bytes>& requests) {
  std::vector<std::size_t> sizes;
  for (const Bytes& request : requests) sizes.push_back(request.size());
  return sizes;
}

// The file's bytes as the body packets carried them.
Bytes BodyOf(const std::vector<Bytes>& requests) {
  Bytes body;
  for (const Bytes& request : requests) {
    if (request[0] == kOpPut && request.size() > 3 && request[3] == kHeaderBody) {
      body.insert(body.end(), request.begin() + 6, request.end());
    }
  }
  return body;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

using TransferTest = BeamTest;

TEST_F(TransferTest, SendsTenThousandBytesInThePacketsOfTheDefaultMaximum) {
  FakeObexPeer peer;
  AddPeer(peer.port());
  const std::string path = MakeFile("a.jpg", 10'000);
  EXPECT_TRUE(Send(path));

  const std::vector<Bytes> requests = peer.Requests();
  EXPECT_EQ(SizesOf(requests),
            (std::vector<std::size_t>{7, 68, 4186 + 6, 4186 + 6, 1628 + 6, 6, 3}));
  ASSERT_EQ(requests.size(), 7u);
  EXPECT_EQ(requests[0], (Bytes{0x80, 0x00, 0x07, 0x10, 0x00, 0x10, 0x60}));
  EXPECT_EQ(requests[1][0], kOpPut);
  EXPECT_EQ(requests[5], (Bytes{0x82, 0x00, 0x06, 0x49, 0x00, 0x03}));
  EXPECT_EQ(requests[6], (Bytes{0x81, 0x00, 0x03}));
  EXPECT_EQ(BodyOf(requests), ContentsOf(path));

  EXPECT_EQ(observer_.statuses(),
            (std::vector<std::string>{String(kStringLoading), String(kStringSearching),
                                      FormatBeamString(resources_, kStringConnected, "Pocket"),
                                      Succeeded()}));
  EXPECT_EQ(observer_.log(), (std::vector<std::string>{"Version 1.00: Wed May 14 10:37:31 2003",
                                                       "Connect", "Description", "Body"}));
}

TEST_F(TransferTest, TheFirstPutDescribesTheFile) {
  FakeObexPeer peer;
  AddPeer(peer.port());
  const std::string path = MakeFile("a.jpg", 300);
  // 2 March 2004, 05:06:07 UTC.
  platform::SYSTEMTIME when{2004, 3, 0, 2, 5, 6, 7, 0};
  platform::FILETIME time;
  ASSERT_TRUE(platform::SystemTimeToFileTime(&when, &time));
  {
    platform::FileHandle file =
        platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::OPEN_EXISTING);
    ASSERT_TRUE(platform::SetFileTime(file, nullptr, nullptr, &time));
  }
  EXPECT_TRUE(Send(path));

  const Bytes first = peer.Requests().at(1);
  Bytes expected = {0x02, 0x00, 68,  0x01, 0x00, 15,   0,    'a',  0,    '.',  0,    'j',  0,
                    'p',  0,    'g', 0,    0,    0xC3, 0x00, 0x00, 0x01, 0x2C, 0x44, 0x00, 45};
  for (char c : std::string("2004.03.02T05:06:07Z")) {
    expected.push_back(0);
    expected.push_back(static_cast<std::uint8_t>(c));
  }
  expected.push_back(0);
  expected.push_back(0);
  EXPECT_EQ(first, expected);
}

TEST_F(TransferTest, APeerOfferingLessGetsSmallerBodies) {
  FakeObexPeer peer(PeerScript().Offering(512));
  AddPeer(peer.port());
  const std::string path = MakeFile("a.jpg", 10'000);
  EXPECT_TRUE(Send(path));

  const std::vector<Bytes> requests = peer.Requests();
  std::size_t bodies = 0;
  for (const Bytes& request : requests) {
    if (request[0] == kOpPut && request[3] == kHeaderBody) {
      ++bodies;
      EXPECT_LE(request.size() - 6, 506u);
    }
  }
  EXPECT_EQ(bodies, (10'000 + 505) / 506);
  EXPECT_EQ(requests.at(2).size(), 512u);
  EXPECT_EQ(BodyOf(requests), ContentsOf(path));
}

TEST_F(TransferTest, APeerOfferingMoreIsCappedAtTheBuffer) {
  FakeObexPeer peer(PeerScript().Offering(8192));
  AddPeer(peer.port());
  EXPECT_TRUE(Send(MakeFile("a.jpg", 10'000)));
  EXPECT_EQ(SizesOf(peer.Requests()), (std::vector<std::size_t>{7, 68, 4192, 4192, 1634, 6, 3}));
}

TEST_F(TransferTest, AnEmptyFileSendsNoBodyPacket) {
  FakeObexPeer peer;
  AddPeer(peer.port());
  EXPECT_TRUE(Send(MakeFile("empty.txt", 0)));
  const std::vector<Bytes> requests = peer.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[1][0], kOpPut);
  EXPECT_EQ(requests[1][3 + 3 + 2 * (9 + 1)], kHeaderLength);  // after "empty.txt"
  EXPECT_EQ(requests[2][0], kOpPutFinal);
  EXPECT_EQ(requests[3][0], kOpDisconnect);
  EXPECT_EQ(observer_.statuses().back(), Succeeded());
}

TEST_F(TransferTest, AShortConnectAnswerIsRefusedAndDumped) {
  FakeObexPeer peer(PeerScript().Answering(0, Bytes{0xA0, 0x00, 0x05, 0x10, 0x00}));
  AddPeer(peer.port());
  EXPECT_FALSE(Send(MakeFile("a.jpg", 100)));
  EXPECT_EQ(peer.Requests().size(), 1u);  // nothing after the Connect
  const std::vector<std::string> log = observer_.log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Unexpected response during connect:");
  EXPECT_EQ(log.back(), "Size:5 Data: A0 00 05 10 00 ");
  EXPECT_EQ(observer_.statuses().back(), Failed());
}

TEST_F(TransferTest, AMaximumTooSmallForAnyDataIsRefused) {
  for (std::uint16_t maximum : {0, 6}) {
    FakeObexPeer peer(PeerScript().Offering(maximum));
    sockets().ClearInfraredPeers();
    AddPeer(peer.port());
    EXPECT_FALSE(Send(MakeFile("a.jpg", 100))) << maximum;
    EXPECT_EQ(peer.Requests().size(), 1u) << maximum;
    EXPECT_EQ(observer_.log().back(),
              "Size:7 Data: A0 00 07 10 00 00 0" + std::to_string(maximum) + " ");
  }
}

TEST_F(TransferTest, APacketLargerThanTheMaximumIsRefused) {
  Bytes huge(0x2000, 0);
  huge[0] = 0xA0;
  huge[1] = 0x20;
  FakeObexPeer peer(PeerScript().Answering(0, huge));
  AddPeer(peer.port());
  EXPECT_FALSE(Send(MakeFile("a.jpg", 100)));
  const std::vector<std::string> log = observer_.log();
  EXPECT_TRUE(Contains(log, "Packet too big!"));
  EXPECT_TRUE(Contains(log, "Packet size: 8192 Max: 4192"));
  EXPECT_EQ(log.back(), "GetPacket in GetAck failed!");
}

TEST_F(TransferTest, AWrongAcknowledgementEndsTheTransfer) {
  FakeObexPeer peer(PeerScript().Answering(2, Bytes{0xC3, 0x00, 0x03}));
  AddPeer(peer.port());
  EXPECT_FALSE(Send(MakeFile("a.jpg", 10'000)));
  EXPECT_EQ(peer.Requests().size(), 3u);
  const std::vector<std::string> log = observer_.log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Expecting ACK but got:");
  EXPECT_EQ(log.back(), "Size:3 Data: C3 00 03 ");
  EXPECT_EQ(observer_.statuses().back(), Failed());
}

TEST_F(TransferTest, AnAcknowledgementWithExtraBytesIsWrong) {
  FakeObexPeer peer(PeerScript().Answering(1, Bytes{0x90, 0x00, 0x04, 0x00}));
  AddPeer(peer.port());
  EXPECT_FALSE(Send(MakeFile("a.jpg", 10)));
  EXPECT_EQ(observer_.log().back(), "Size:4 Data: 90 00 04 00 ");
}

TEST_F(TransferTest, APeerThatHangsUpEndsTheTransfer) {
  FakeObexPeer peer(PeerScript().HangingUpAfter(2));
  AddPeer(peer.port());
  EXPECT_FALSE(Send(MakeFile("a.jpg", 10'000)));
  const std::vector<std::string> log = observer_.log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Recv len zero while reading header");
  EXPECT_EQ(log.back(), "GetPacket in GetAck failed!");
}

TEST_F(TransferTest, ANameThatDoesNotFitThePeersPacketIsRefused) {
  // The smallest maximum an OBEX peer may offer, 255 bytes, holds a name of
  // 98 characters in the first PUT and no more.
  FakeObexPeer peer(PeerScript().Offering(255));
  AddPeer(peer.port());
  EXPECT_TRUE(Send(MakeFile(std::string(94, 'n') + ".jpg", 10)));
  EXPECT_EQ(peer.Requests().at(1).size(), 254u);

  FakeObexPeer second(PeerScript().Offering(255));
  sockets().ClearInfraredPeers();
  AddPeer(second.port());
  EXPECT_FALSE(Send(MakeFile(std::string(95, 'n') + ".jpg", 10)));
  EXPECT_EQ(second.Requests().size(), 1u);  // only the Connect went out
  EXPECT_EQ(observer_.log().back(),
            "File name too long to send: 99 characters (packet of 256 bytes, max 255)");
  EXPECT_EQ(observer_.statuses().back(), Failed());
}

TEST_F(TransferTest, AFileBeyondFourGibibytesIsRefusedNotCut) {
  FakeObexPeer peer;
  AddPeer(peer.port());
  const std::string path = MakeFile("huge.avi", 0);
  // A sparse file: 4 GiB and 10 bytes, of which the low 32 bits say 10.
  std::filesystem::resize_file(*device_.handheld().files().HostPath(path), (1ull << 32) + 10);
  EXPECT_FALSE(Send(path));
  EXPECT_EQ(observer_.log().back(),
            "File too large to send: 4294967306 bytes (at most 4294967295)");
  EXPECT_EQ(observer_.statuses().back(), Failed());
  EXPECT_TRUE(peer.Requests().empty());
}

TEST_F(TransferTest, AMissingFileCannotBeLoaded) {
  EXPECT_FALSE(Send("\\My Documents\\missing.jpg"));
  EXPECT_EQ(observer_.statuses(),
            (std::vector<std::string>{String(kStringLoading), "Can't Load file"}));
}

}  // namespace
}  // namespace obex::testing
