// The client function table and the routine that fills it, acting on the
// current handheld's bus, and the client drivers' registry keys.
#include <cstdio>

#include "platform/handheld.h"
#include "platform/registry.h"
#include "platform/sd_bus.h"
#include "sdbus/slot.h"

namespace platform::sd {

namespace bus_internal {
struct Access {
  static Slot& CurrentSlot() { return *Handheld::Current().GetService<SdBus>().slot_; }
};
}  // namespace bus_internal

namespace {

using bus_internal::Access;

LONG RegisterClient(DWORD device, void* context, const ClientRegistration* registration) {
  return Access::CurrentSlot().RegisterClient(device, context, registration);
}

LONG BusRequest(DWORD device, BYTE command, DWORD argument, DWORD transfer_class,
                DWORD response_type, CommandResponse* response, DWORD block_count, DWORD block_size,
                BYTE* buffer, DWORD /*flags*/) {
  return Access::CurrentSlot().Request(device, command, argument, transfer_class, response_type,
                                       response, block_count, block_size, buffer);
}

LONG CardInfoQuery(DWORD device, DWORD info_type, void* buffer, DWORD size) {
  return Access::CurrentSlot().QueryInfo(device, info_type, buffer, size);
}

LONG RegisterReadWrite(DWORD device, DWORD direction, BYTE function, DWORD address,
                       BOOL read_after_write, BYTE* buffer, DWORD length) {
  return Access::CurrentSlot().ReadWriteRegisters(device, direction, function, address,
                                                  read_after_write, buffer, length);
}

LONG SetCardFeature(DWORD device, DWORD feature, void* buffer, DWORD size) {
  return Access::CurrentSlot().SetFeature(device, feature, buffer, size);
}

LONG FillClientFunctions(ClientFunctions* table) {
  if (!table) return kStatusInvalidParameter;
  *table = {};
  table->register_client = &RegisterClient;
  table->bus_request = &BusRequest;
  table->card_info_query = &CardInfoQuery;
  table->register_read_write = &RegisterReadWrite;
  table->set_card_feature = &SetCardFeature;
  return kStatusSuccess;
}

}  // namespace

FillClientFunctionsFunction* GetClientTableFiller(DWORD device_handle) {
  return Access::CurrentSlot().IsHandle(device_handle) ? &FillClientFunctions : nullptr;
}

std::string ClientDriverKey(WORD manufacturer, WORD card_id, BYTE function) {
  char key[96];
  std::snprintf(key, sizeof key,
                "Drivers\\SDCARD\\ClientDrivers\\Custom\\MANF-%04X-CARDID-%04X-FUNC-%u",
                manufacturer, card_id, unsigned{function});
  return key;
}

LONG RegisterClientDriver(WORD manufacturer, WORD card_id, BYTE function, std::string_view dll,
                          std::string_view prefix) {
  Registry& registry = Handheld::Current().registry();
  const std::string key = ClientDriverKey(manufacturer, card_id, function);
  LONG result = registry.SetString(HKEY_LOCAL_MACHINE, key, "Dll", dll);
  if (result == ERROR_SUCCESS)
    result = registry.SetString(HKEY_LOCAL_MACHINE, key, "Prefix", prefix);
  return result;
}

}  // namespace platform::sd
