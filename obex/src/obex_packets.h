// The OBEX packets the sender writes and the responses it accepts. Every
// length on the wire is big-endian, 16 bits, and counts the whole packet or
// header it belongs to.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "platform/types.h"

namespace obex {

using platform::BYTE;
using platform::DWORD;

// One buffer for sending and receiving; also the largest packet the sender
// offers to receive in its Connect.
inline constexpr std::size_t kPacketBufferSize = 4192;
using PacketBuffer = std::array<BYTE, kPacketBufferSize>;

inline constexpr BYTE kOpPut = 0x02;
inline constexpr BYTE kOpConnect = 0x80;
inline constexpr BYTE kOpDisconnect = 0x81;
inline constexpr BYTE kOpPutFinal = 0x82;
inline constexpr BYTE kResponseContinue = 0x90;
inline constexpr BYTE kResponseSuccess = 0xA0;

inline constexpr BYTE kHeaderName = 0x01;
inline constexpr BYTE kHeaderTime = 0x44;
inline constexpr BYTE kHeaderBody = 0x48;
inline constexpr BYTE kHeaderEndOfBody = 0x49;
inline constexpr BYTE kHeaderLength = 0xC3;

inline constexpr BYTE kObexVersion = 0x10;
// Opcode and length.
inline constexpr std::size_t kPacketHeaderSize = 3;
// Packet header and Body header around the file's bytes.
inline constexpr std::size_t kBodyOverhead = 6;
// The smallest maximum packet size that still carries file data.
inline constexpr std::size_t kSmallestUsablePacket = kBodyOverhead + 1;
// "%04d.%02d.%02dT%02d:%02d:%02dZ"
inline constexpr std::size_t kTimeTextLength = 20;

// Each writes its packet at the start of `out` and returns its length, or 0
// when it does not fit `out`.
std::size_t WriteConnect(std::span<BYTE> out);
// Name, Length and Time headers; `time_text` has kTimeTextLength units.
std::size_t WriteFirstPut(std::span<BYTE> out, std::u16string_view name, DWORD file_size,
                          std::u16string_view time_text);
std::size_t WriteBody(std::span<BYTE> out, std::span<const BYTE> data);
std::size_t WriteFinalPut(std::span<BYTE> out);
std::size_t WriteDisconnect(std::span<BYTE> out);

// Length of the first PUT for a name of `name_units` UTF-16 units.
constexpr std::size_t FirstPutLength(std::size_t name_units) { return 2 * (name_units + 29); }
// File bytes in the next body packet.
constexpr std::size_t BodyChunk(std::size_t remaining, std::size_t max_packet) {
  return remaining < max_packet - kBodyOverhead ? remaining : max_packet - kBodyOverhead;
}

// The maximum packet size to use after a Connect response: the peer's,
// capped at kPacketBufferSize. Nothing for a response that is not a
// success longer than 6 bytes, or whose maximum leaves no room for data.
std::optional<std::size_t> AcceptConnectResponse(std::span<const BYTE> packet);
// Exactly 0x90 or 0xA0, then 0x00 0x03.
bool IsAcknowledgement(std::span<const BYTE> packet);

}  // namespace obex
