// The packets the sender writes, the answers it accepts and the dump of
// the ones it refuses.
#include "obex_packets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hex_dump.h"
#include "platform/time.h"
#include "platform/utf16.h"
#include "send_record.h"

namespace obex {

using platform::Utf8ToUtf16;
namespace {

using Bytes = std::vector<BYTE>;

Bytes Written(std::size_t length, const PacketBuffer& buffer) {
  return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
}

TEST(ObexPacketsTest, ConnectOffersTheWholeBuffer) {
  PacketBuffer buffer;
  EXPECT_EQ(Written(WriteConnect(buffer), buffer),
            (Bytes{0x80, 0x00, 0x07, 0x10, 0x00, 0x10, 0x60}));
}

TEST(ObexPacketsTest, FirstPutLengthGrowsWithTheName) {
  EXPECT_EQ(FirstPutLength(5), 68u);  // "a.jpg"
  PacketBuffer buffer;
  const std::u16string time = Utf8ToUtf16("2003.06.01T12:00:00Z");
  for (std::size_t units : {0u, 1u, 37u, 200u}) {
    const std::u16string name(units, u'x');
    EXPECT_EQ(WriteFirstPut(buffer, name, 123, time), FirstPutLength(units));
    EXPECT_EQ(buffer[1] << 8 | buffer[2], static_cast<int>(FirstPutLength(units)));
  }
}

TEST(ObexPacketsTest, FirstPutCarriesNameLengthAndTimeAsUtf16BigEndian) {
  PacketBuffer buffer;
  const std::size_t length =
      WriteFirstPut(buffer, u"\u00e9t\u00e9", 0x01020304, Utf8ToUtf16("2003.06.01T12:00:00Z"));
  const Bytes packet = Written(length, buffer);
  const Bytes name = {0x01, 0x00, 11, 0x00, 0xE9, 0x00, 't', 0x00, 0xE9, 0x00, 0x00};
  EXPECT_EQ(Bytes(packet.begin() + 3, packet.begin() + 14), name);
  EXPECT_EQ(Bytes(packet.begin() + 14, packet.begin() + 19), (Bytes{0xC3, 1, 2, 3, 4}));
  EXPECT_EQ(Bytes(packet.begin() + 19, packet.begin() + 22), (Bytes{0x44, 0x00, 45}));
  EXPECT_EQ(packet[22], 0x00);
  EXPECT_EQ(packet[23], '2');
  EXPECT_EQ(Bytes(packet.end() - 4, packet.end()), (Bytes{0x00, 'Z', 0x00, 0x00}));
}

TEST(ObexPacketsTest, PacketsThatDoNotFitAreNotWritten) {
  std::array<BYTE, 67> small;
  EXPECT_EQ(WriteFirstPut(small, u"a.jpg", 1, Utf8ToUtf16("2003.06.01T12:00:00Z")), 0u);
  PacketBuffer buffer;
  EXPECT_EQ(
      WriteFirstPut(buffer, std::u16string(2068, u'x'), 1, Utf8ToUtf16("2003.06.01T12:00:00Z")),
      0u);
  EXPECT_EQ(
      WriteFirstPut(buffer, std::u16string(2067, u'x'), 1, Utf8ToUtf16("2003.06.01T12:00:00Z")),
      kPacketBufferSize);
  const Bytes data(kPacketBufferSize - kBodyOverhead + 1, 0x55);
  EXPECT_EQ(WriteBody(buffer, data), 0u);
}

TEST(ObexPacketsTest, BodiesFinalPutAndDisconnect) {
  PacketBuffer buffer;
  const Bytes data = {9, 8, 7};
  EXPECT_EQ(Written(WriteBody(buffer, data), buffer),
            (Bytes{0x02, 0x00, 0x09, 0x48, 0x00, 0x06, 9, 8, 7}));
  EXPECT_EQ(Written(WriteFinalPut(buffer), buffer), (Bytes{0x82, 0x00, 0x06, 0x49, 0x00, 0x03}));
  EXPECT_EQ(Written(WriteDisconnect(buffer), buffer), (Bytes{0x81, 0x00, 0x03}));
}

TEST(ObexPacketsTest, BodyChunksFillThePacketSize) {
  EXPECT_EQ(BodyChunk(10'000, 4192), 4186u);
  EXPECT_EQ(BodyChunk(1628, 4192), 1628u);
  EXPECT_EQ(BodyChunk(10'000, 512), 506u);
  EXPECT_EQ(BodyChunk(10'000, 7), 1u);
}

TEST(ObexPacketsTest, ConnectAnswersGiveThePeersMaximumCapped) {
  EXPECT_EQ(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x07, 0x10, 0x00, 0x04, 0x00}), 1024u);
  EXPECT_EQ(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x07, 0x10, 0x00, 0x20, 0x00}), 4192u);
  EXPECT_EQ(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x07, 0x10, 0x00, 0x00, 0x07}), 7u);
  // Extra headers after the seven bytes are allowed.
  EXPECT_EQ(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x09, 0x10, 0x00, 0x02, 0x00, 0xCB, 0x01}),
            512u);
}

TEST(ObexPacketsTest, ConnectAnswersThatCannotCarryDataAreRefused) {
  EXPECT_FALSE(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x05, 0x10, 0x00}));
  EXPECT_FALSE(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x03}));
  EXPECT_FALSE(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x07, 0x10, 0x00, 0x00, 0x06}));
  EXPECT_FALSE(AcceptConnectResponse(Bytes{0xA0, 0x00, 0x07, 0x10, 0x00, 0x00, 0x00}));
  EXPECT_FALSE(AcceptConnectResponse(Bytes{0xC3, 0x00, 0x07, 0x10, 0x00, 0x10, 0x00}));
  EXPECT_FALSE(AcceptConnectResponse(Bytes{0x90, 0x00, 0x07, 0x10, 0x00, 0x10, 0x00}));
}

TEST(ObexPacketsTest, AcknowledgementsAreExactlyThreeBytes) {
  EXPECT_TRUE(IsAcknowledgement(Bytes{0x90, 0x00, 0x03}));
  EXPECT_TRUE(IsAcknowledgement(Bytes{0xA0, 0x00, 0x03}));
  EXPECT_FALSE(IsAcknowledgement(Bytes{0xA0, 0x00, 0x04, 0x00}));
  EXPECT_FALSE(IsAcknowledgement(Bytes{0xC3, 0x00, 0x03}));
  EXPECT_FALSE(IsAcknowledgement(Bytes{0x10, 0x00, 0x03}));
  EXPECT_FALSE(IsAcknowledgement(Bytes{0xA0, 0x01, 0x03}));
}

TEST(HexDumpTest, DumpsEachByteUntilTheLineWouldOverflow) {
  EXPECT_EQ(HexDumpLine(Bytes{0xA0, 0x00, 0x05, 0x10, 0xFF}), "Size:5 Data: A0 00 05 10 FF ");
  const std::string full = HexDumpLine(Bytes(666, 0xAB));
  EXPECT_EQ(full.size(), std::string("Size:666 Data: ").size() + 3 * 666);
  EXPECT_EQ(HexDumpLine(Bytes(667, 0xAB)), "Size:667 Data: ");
}

TEST(SendRecordTest, TimeTextIsTwentyCharacters) {
  platform::SYSTEMTIME when{2003, 5, 3, 14, 10, 37, 31, 500};
  platform::FILETIME time;
  ASSERT_TRUE(platform::SystemTimeToFileTime(&when, &time));
  EXPECT_EQ(TimeText(time), u"2003.05.14T10:37:31Z");
  platform::SYSTEMTIME far{12345, 1, 0, 2, 3, 4, 5, 0};
  ASSERT_TRUE(platform::SystemTimeToFileTime(&far, &time));
  EXPECT_EQ(TimeText(time).size(), kTimeTextLength);
}

TEST(Utf16Test, ConvertsNamesForTheNameHeader) {
  EXPECT_EQ(Utf8ToUtf16("snap0001.jpg"), u"snap0001.jpg");
  EXPECT_EQ(Utf8ToUtf16("\xC3\xA9t\xC3\xA9"), u"\u00e9t\u00e9");
  EXPECT_EQ(Utf8ToUtf16("\xE5\x86\x99"), u"\u5199");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x93\xB7"), u"\U0001F4F7");  // a surrogate pair
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");  // overlong
}

}  // namespace
}  // namespace obex
