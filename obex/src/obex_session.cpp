#include "obex_session.h"

#include <span>

#include "hex_dump.h"

namespace obex {

namespace {
constexpr char kSendFailedInBody[] = "SendPacket in OrsaBeamBody failed!";
}  // namespace

bool ObexSession::Run(const SendRecord& record) {
  output_.Log("Connect");
  if (!Connect()) return false;
  output_.Log("Description");
  if (!PutDescription(record)) return false;
  output_.Log("Body");
  return PutBody(record) && Disconnect();
}

bool ObexSession::Connect() {
  const std::size_t length = WriteConnect(channel_.buffer());
  if (!channel_.SendPacket(length)) {
    output_.Log("SendPacket in Connect failed!");
    return false;
  }
  const std::optional<std::size_t> received = channel_.GetPacket();
  if (!received) {
    output_.Log("GetPacket in GetAck failed!");
    return false;
  }
  const std::span<const BYTE> response = channel_.buffer().first(*received);
  const std::optional<std::size_t> max_packet = AcceptConnectResponse(response);
  if (!max_packet) {
    output_.Log("Unexpected response during connect:");
    output_.Log(HexDumpLine(response));
    return false;
  }
  channel_.set_max_packet(*max_packet);
  return true;
}

bool ObexSession::PutDescription(const SendRecord& record) {
  const std::size_t length = FirstPutLength(record.name.size());
  if (length > channel_.max_packet()) {
    output_.LogFormat("File name too long to send: %d characters (packet of %d bytes, max %d)",
                      static_cast<int>(record.name.size()), static_cast<int>(length),
                      static_cast<int>(channel_.max_packet()));
    return false;
  }
  WriteFirstPut(channel_.buffer(), record.name, record.size, record.time_text);
  return Request(length, kSendFailedInBody);
}

bool ObexSession::PutBody(const SendRecord& record) {
  std::span<const BYTE> remaining(record.body);
  while (!remaining.empty()) {
    const std::size_t chunk = BodyChunk(remaining.size(), channel_.max_packet());
    const std::size_t length = WriteBody(channel_.buffer(), remaining.first(chunk));
    if (!Request(length, kSendFailedInBody)) return false;
    remaining = remaining.subspan(chunk);
  }
  return Request(WriteFinalPut(channel_.buffer()), kSendFailedInBody);
}

bool ObexSession::Disconnect() {
  return Request(WriteDisconnect(channel_.buffer()), "SendPacket in Disconnect failed!");
}

bool ObexSession::Request(std::size_t length, const char* send_failure) {
  if (!channel_.SendPacket(length)) {
    output_.Log(send_failure);
    return false;
  }
  return GetAck();
}

bool ObexSession::GetAck() {
  const std::optional<std::size_t> received = channel_.GetPacket();
  if (!received) {
    output_.Log("GetPacket in GetAck failed!");
    return false;
  }
  const std::span<const BYTE> response = channel_.buffer().first(*received);
  if (!IsAcknowledgement(response)) {
    output_.Log("Expecting ACK but got:");
    output_.Log(HexDumpLine(response));
    return false;
  }
  return true;
}

}  // namespace obex
