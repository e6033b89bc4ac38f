#include "card_testing/bus_client.h"

namespace card::testing {

using platform::BYTE;
using platform::DWORD;
using platform::LONG;
namespace sd = platform::sd;

BusClient::BusClient(DWORD device) : device_(device) {
  sd::FillClientFunctionsFunction* fill = sd::GetClientTableFiller(device);
  Note(fill ? fill(&table_) : sd::kStatusInvalidHandle);
}

LONG BusClient::Note(LONG status) {
  if (!sd::Succeeded(status) && sd::Succeeded(status_)) status_ = status;
  return status;
}

LONG BusClient::Write(BYTE function, DWORD address, BYTE value) {
  if (!table_.register_read_write) return Note(sd::kStatusInvalidHandle);
  return Note(table_.register_read_write(device_, sd::kRegisterWrite, function, address,
                                         platform::FALSE, &value, 1));
}

BYTE BusClient::Read(BYTE function, DWORD address) {
  BYTE value = 0;
  if (!table_.register_read_write) {
    Note(sd::kStatusInvalidHandle);
    return 0;
  }
  Note(table_.register_read_write(device_, sd::kRegisterRead, function, address, platform::FALSE,
                                  &value, 1));
  return value;
}

LONG BusClient::ReadBlocks(DWORD blocks, BYTE* buffer) {
  sd::CommandResponse response;
  const DWORD argument = sd::ExtendedArgument(false, 1, true, false, 7, blocks);
  return Note(table_.bus_request(device_, sd::kCommandIoRwExtended, argument, sd::kTransferRead,
                                 sd::kResponseR5, &response, blocks, 64, buffer, 0));
}

LONG BusClient::BurstWrite(std::span<const std::pair<BYTE, BYTE>> pairs) {
  std::vector<BYTE> bytes;
  for (const auto& [reg, value] : pairs) {
    bytes.push_back(reg);
    bytes.push_back(value);
  }
  sd::CommandResponse response;
  const DWORD argument =
      sd::ExtendedArgument(true, 0, false, false, 0x10000, static_cast<DWORD>(bytes.size()));
  return Note(table_.bus_request(device_, sd::kCommandIoRwExtended, argument, sd::kTransferWrite,
                                 sd::kResponseR5, &response, 1, 64, bytes.data(), 0));
}

LONG BusClient::SetClock(DWORD hz) {
  sd::InterfaceSettings settings;
  LONG status =
      Note(table_.card_info_query(device_, sd::kInfoInterface, &settings, sizeof settings));
  if (!sd::Succeeded(status)) return status;
  settings.mode = 0;
  settings.clock_hz = hz;
  return Note(table_.set_card_feature(device_, sd::kFeatureInterface, &settings, sizeof settings));
}

LONG BusClient::SetBlockLength(DWORD length) {
  return Note(table_.set_card_feature(device_, sd::kFeatureBlockLength, &length, sizeof length));
}

LONG BusClient::EnableFunction() {
  sd::FunctionEnable enable{3, 500};
  return Note(table_.set_card_feature(device_, sd::kFeatureEnableFunction, &enable, sizeof enable));
}

sd::InterfaceSettings BusClient::QueryInterface() {
  sd::InterfaceSettings settings;
  Note(table_.card_info_query(device_, sd::kInfoInterface, &settings, sizeof settings));
  return settings;
}

}  // namespace card::testing
