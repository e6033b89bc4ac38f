// Whole OBEX packets over the socket, through the one packet buffer.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "beam_output.h"
#include "obex_packets.h"
#include "platform/sockets.h"

namespace obex {

class PacketChannel {
 public:
  PacketChannel(platform::SOCKET socket, BeamOutput& output) : socket_(socket), output_(output) {}

  // Where packets are written before sending and arrive when received.
  std::span<BYTE> buffer() { return buffer_; }
  std::size_t max_packet() const { return max_packet_; }
  void set_max_packet(std::size_t size) { max_packet_ = size; }

  // Sends the first `length` bytes of the buffer with one send call.
  bool SendPacket(std::size_t length);
  // Receives one packet into the buffer; its length, or nothing (logged).
  std::optional<std::size_t> GetPacket();

 private:
  platform::SOCKET socket_;
  BeamOutput& output_;
  std::size_t max_packet_ = kPacketBufferSize;
  PacketBuffer buffer_{};
};

}  // namespace obex
