#include "bus_access.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/time.h"

namespace orsadrv {

namespace {

int ReadBlocks(DWORD device, BYTE* buffer, DWORD blocks) {
  ClientFunctions& bus = State().bus;
  if (!bus.bus_request) return kBusFailure;
  CommandResponse response;
  const DWORD argument = ExtendedArgument(false, 1, true, false, kDataOutputPort, blocks);
  const LONG status = bus.bus_request(device, kCommandIoRwExtended, argument, kTransferRead,
                                      kResponseR5, &response, blocks, kBlockBytes, buffer, 0);
  return Succeeded(status) ? 0 : kBusFailure;
}

}  // namespace

int WriteRegister(DWORD device, BYTE function, DWORD address, BYTE value) {
  if (function > 7) return kRefused;
  ClientFunctions& bus = State().bus;
  if (!bus.register_read_write) return kBusFailure;
  const LONG status =
      bus.register_read_write(device, kRegisterWrite, function, address, FALSE, &value, 1);
  return Succeeded(status) ? 0 : kBusFailure;
}

int ReadRegister(DWORD device, BYTE function, DWORD address) {
  if (function > 7) return kRefused;
  ClientFunctions& bus = State().bus;
  if (!bus.register_read_write) return kBusFailure;
  BYTE value = 0;
  const LONG status =
      bus.register_read_write(device, kRegisterRead, function, address, FALSE, &value, 1);
  return Succeeded(status) ? value : kBusFailure;
}

int WriteModuleRegister(DWORD device, BYTE module_register, BYTE value) {
  return WriteRegister(device, 1, kModuleRegisterBase + module_register, value);
}

int ReadModuleRegister(DWORD device, BYTE module_register) {
  return ReadRegister(device, 1, kModuleRegisterBase + module_register);
}

int WriteModuleRegister24(DWORD device, BYTE first, DWORD value) {
  for (int i = 0; i < 3; ++i) {
    const int result = WriteModuleRegister(device, static_cast<BYTE>(first + i),
                                           static_cast<BYTE>(value >> (8 * i)));
    if (result < 0) return result;
  }
  return 0;
}

void BusSequence::Sleep(DWORD ms) {
  if (!failed()) platform::Sleep(ms);
}

int BlockRead(DWORD device, BYTE* buffer, DWORD length) {
  constexpr DWORD kRequestBytes = kBlocksPerRequest * kBlockBytes;
  DWORD done = 0;
  while (length - done >= kRequestBytes) {
    if (ReadBlocks(device, buffer + done, kBlocksPerRequest) < 0) return kBusFailure;
    done += kRequestBytes;
  }
  const DWORD rest = length - done;
  if (rest == 0) return 0;
  // The card only sends whole blocks: read them aside and keep what fits.
  const DWORD blocks = (rest + kBlockBytes - 1) / kBlockBytes;
  auto& scratch = State().block_scratch;
  if (ReadBlocks(device, scratch.data(), blocks) < 0) return kBusFailure;
  std::copy_n(scratch.begin(), rest, buffer + done);
  return 0;
}

int BurstWrite(DWORD device, std::span<const RegisterValue> pairs) {
  ClientFunctions& bus = State().bus;
  if (!bus.bus_request || pairs.empty()) return kBusFailure;
  std::vector<BYTE> bytes;
  for (const auto& [module_register, value] : pairs) {
    bytes.push_back(module_register);
    bytes.push_back(value);
  }
  const DWORD count = static_cast<DWORD>(bytes.size());
  CommandResponse response;
  const DWORD argument =
      ExtendedArgument(true, 0, false, false, camera_hardware::common::kBurstAddress, count);
  const LONG status = bus.bus_request(device, kCommandIoRwExtended, argument, kTransferWrite,
                                      kResponseR5, &response, 1, kBlockBytes, bytes.data(), 0);
  return Succeeded(status) ? 0 : kBusFailure;
}

int SetBusClock(DWORD device, DWORD hz) {
  ClientFunctions& bus = State().bus;
  if (!bus.card_info_query || !bus.set_card_feature) return kBusFailure;
  InterfaceSettings settings;
  if (!Succeeded(bus.card_info_query(device, kInfoInterface, &settings, sizeof settings))) {
    return kBusFailure;
  }
  settings.mode = kInterfaceFourBit;
  settings.clock_hz = hz;
  return Succeeded(bus.set_card_feature(device, kFeatureInterface, &settings, sizeof settings))
             ? 0
             : kBusFailure;
}

int SetBlockLength(DWORD device) {
  ClientFunctions& bus = State().bus;
  if (!bus.set_card_feature) return kBusFailure;
  DWORD length = kBlockBytes;
  return Succeeded(bus.set_card_feature(device, kFeatureBlockLength, &length, sizeof length))
             ? 0
             : kBusFailure;
}

}  // namespace orsadrv
