// The OBEX exchange that pushes one file: Connect, the first PUT with the
// file's description, the body packets, the final PUT and Disconnect, each
// answered by the peer.
#pragma once

#include "beam_output.h"
#include "packet_channel.h"
#include "send_record.h"

namespace obex {

class ObexSession {
 public:
  ObexSession(PacketChannel& channel, BeamOutput& output) : channel_(channel), output_(output) {}

  // True when every step was answered as expected. Each failure is logged.
  bool Run(const SendRecord& record);

 private:
  bool Connect();
  bool PutDescription(const SendRecord& record);
  bool PutBody(const SendRecord& record);
  bool Disconnect();
  // Sends the packet in the channel's buffer and takes the peer's answer.
  bool Request(std::size_t length, const char* send_failure);
  bool GetAck();

  PacketChannel& channel_;
  BeamOutput& output_;
};

}  // namespace obex
