#include "obex_packets.h"

#include <algorithm>

#include "big_endian.h"

namespace obex {

namespace {

// A header of UTF-16 big-endian text with its terminating zero.
std::size_t PutTextHeader(std::span<BYTE> out, std::size_t at, BYTE id, std::u16string_view text) {
  const std::size_t length = 3 + 2 * (text.size() + 1);
  out[at] = id;
  PutWord16(out, at + 1, length);
  std::size_t pos = at + 3;
  for (char16_t unit : text) {
    PutWord16(out, pos, unit);
    pos += 2;
  }
  PutWord16(out, pos, 0);
  return at + length;
}

std::size_t WriteShort(std::span<BYTE> out, BYTE opcode, std::size_t length) {
  if (out.size() < length) return 0;
  out[0] = opcode;
  PutWord16(out, 1, length);
  return length;
}

}  // namespace

std::size_t WriteConnect(std::span<BYTE> out) {
  if (!WriteShort(out, kOpConnect, 7)) return 0;
  out[3] = kObexVersion;
  out[4] = 0x00;  // flags
  PutWord16(out, 5, kPacketBufferSize);
  return 7;
}

std::size_t WriteFirstPut(std::span<BYTE> out, std::u16string_view name, DWORD file_size,
                          std::u16string_view time_text) {
  const std::size_t length = FirstPutLength(name.size());
  if (time_text.size() != kTimeTextLength || !WriteShort(out, kOpPut, length)) return 0;
  std::size_t at = PutTextHeader(out, kPacketHeaderSize, kHeaderName, name);
  out[at] = kHeaderLength;
  PutDword32(out, at + 1, file_size);
  at = PutTextHeader(out, at + 5, kHeaderTime, time_text);
  return at;
}

std::size_t WriteBody(std::span<BYTE> out, std::span<const BYTE> data) {
  const std::size_t length = data.size() + kBodyOverhead;
  if (!WriteShort(out, kOpPut, length)) return 0;
  out[3] = kHeaderBody;
  PutWord16(out, 4, data.size() + 3);
  std::copy(data.begin(), data.end(), out.begin() + kBodyOverhead);
  return length;
}

std::size_t WriteFinalPut(std::span<BYTE> out) {
  if (!WriteShort(out, kOpPutFinal, 6)) return 0;
  out[3] = kHeaderEndOfBody;
  PutWord16(out, 4, 3);
  return 6;
}

std::size_t WriteDisconnect(std::span<BYTE> out) { return WriteShort(out, kOpDisconnect, 3); }

std::optional<std::size_t> AcceptConnectResponse(std::span<const BYTE> packet) {
  if (packet.size() < 7 || packet[0] != kResponseSuccess) return std::nullopt;
  const std::size_t peer_maximum = GetWord16(packet, 5);
  if (peer_maximum < kSmallestUsablePacket) return std::nullopt;
  return std::min(peer_maximum, kPacketBufferSize);
}

bool IsAcknowledgement(std::span<const BYTE> packet) {
  return packet.size() == 3 && (packet[0] == kResponseContinue || packet[0] == kResponseSuccess) &&
         packet[1] == 0x00 && packet[2] == 0x03;
}

}  // namespace obex
