#include "packet_channel.h"

#include "big_endian.h"

namespace obex {

bool PacketChannel::SendPacket(std::size_t length) {
  const int sent = platform::send(socket_, reinterpret_cast<const char*>(buffer_.data()),
                                  static_cast<int>(length), 0);
  if (sent == platform::SOCKET_ERROR) {
    output_.Log("send failed!");
    return false;
  }
  if (sent != static_cast<int>(length)) {
    output_.Log("send did not send all data!");
    return false;
  }
  return true;
}

std::optional<std::size_t> PacketChannel::GetPacket() {
  char* const bytes = reinterpret_cast<char*>(buffer_.data());
  std::size_t received = 0;
  while (received < kPacketHeaderSize) {
    const int got = platform::recv(socket_, bytes + received,
                                   static_cast<int>(kPacketHeaderSize - received), 0);
    if (got == platform::SOCKET_ERROR) {
      output_.Log("Socket Error while reading header");
      return std::nullopt;
    }
    if (got == 0) {
      output_.Log("Recv len zero while reading header");
      return std::nullopt;
    }
    received += static_cast<std::size_t>(got);
  }

  const std::size_t length = GetWord16(buffer_, 1);
  if (length > max_packet_) {
    output_.Log("Packet too big!");
    output_.LogFormat("Packet size: %d Max: %d", static_cast<int>(length),
                      static_cast<int>(max_packet_));
    return std::nullopt;
  }
  // A length shorter than its own header cannot be a packet.
  if (length < kPacketHeaderSize) {
    output_.LogFormat("Bytes recv: %d Expected: %d", static_cast<int>(received),
                      static_cast<int>(length));
    return std::nullopt;
  }

  while (received < length) {
    const int got =
        platform::recv(socket_, bytes + received, static_cast<int>(length - received), 0);
    if (got == platform::SOCKET_ERROR || got == 0) {
      output_.Log(got == 0 ? "Recv len zero" : "Socket Error");
      output_.LogFormat("Bytes recv: %d Expected: %d", static_cast<int>(received),
                        static_cast<int>(length));
      return std::nullopt;
    }
    received += static_cast<std::size_t>(got);
  }
  return length;
}

}  // namespace obex
