// The SD bus: one slot that holds an SDIO card, and the bus driver's client
// interface through which a card's client driver reaches it.
//
// Inserting a card gives it a 32-bit device handle. When a client driver is
// registered for the card (RegisterClientDriver, a key below
// "Drivers\SDCARD\ClientDrivers\Custom" naming its "Dll" and "Prefix"), the
// bus activates it through the device manager with the value "ClientInfo"
// (the device handle) in its active key. The driver asks for the routine
// that fills its client function table (GetClientTableFiller), registers
// itself, and then talks to the card with CMD52 register transfers and CMD53
// data transfers. Every transfer spends its time on the handheld's clock:
// 20 us for the bus driver's handling of the request, then a command with
// its response, plus the data on the 4-bit (or 1-bit) bus, at the current
// clock rate.
//
// Removing the card makes every later transfer fail, sends the slot event
// "card removed" to the registered client and deactivates the driver.
//
// Results are statuses: zero or above is success, below zero a failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/devices.h"
#include "platform/handheld.h"
#include "platform/sd_card.h"
#include "platform/types.h"

namespace platform::sd {

// --- Statuses --------------------------------------------------------------

inline constexpr LONG kStatusSuccess = 0;
inline constexpr LONG kStatusUnsuccessful = static_cast<LONG>(0xC0000001u);
inline constexpr LONG kStatusInvalidParameter = static_cast<LONG>(0xC0000002u);
inline constexpr LONG kStatusDeviceRemoved = static_cast<LONG>(0xC0000004u);
inline constexpr LONG kStatusDataError = static_cast<LONG>(0xC0000005u);
inline constexpr LONG kStatusNotSupported = static_cast<LONG>(0xC0000006u);
inline constexpr LONG kStatusInvalidHandle = static_cast<LONG>(0xC0000007u);
inline constexpr LONG kStatusNotReady = static_cast<LONG>(0xC0000008u);

constexpr bool Succeeded(LONG status) { return status >= 0; }

// --- Records ---------------------------------------------------------------

inline constexpr DWORD kSlotEventCardRemoved = 1;
using SlotEventCallback = void(DWORD device, void* context, DWORD event);

// The client's registration (80 bytes).
struct ClientRegistration {
  char16_t client_name[32] = {};  // NUL-terminated
  SlotEventCallback* slot_event_callback = nullptr;
  BYTE reserved[80 - 64 - sizeof(SlotEventCallback*)] = {};
};
static_assert(sizeof(ClientRegistration) == 80);
static_assert(offsetof(ClientRegistration, slot_event_callback) == 64);

// Card information queries.
inline constexpr DWORD kInfoCardAddress = 3;  // WORD
inline constexpr DWORD kInfoInterface = 5;    // InterfaceSettings
inline constexpr DWORD kInfoIoFunction = 7;   // IoFunctionInfo

inline constexpr DWORD kInterfaceFourBit = 0;
inline constexpr DWORD kInterfaceOneBit = 1;

// The interface settings (12 bytes).
struct InterfaceSettings {
  DWORD mode = kInterfaceFourBit;
  DWORD clock_hz = 0;
  BOOL write_protected = FALSE;
};
static_assert(sizeof(InterfaceSettings) == 12);

// Card features.
inline constexpr DWORD kFeatureEnableFunction = 0;   // FunctionEnable
inline constexpr DWORD kFeatureDisableFunction = 1;  // no record
inline constexpr DWORD kFeatureBlockLength = 2;      // DWORD
inline constexpr DWORD kFeatureInterface = 4;        // InterfaceSettings

// How long enabling the I/O function may wait for the card (8 bytes).
struct FunctionEnable {
  DWORD ready_tries = 1;
  DWORD interval_ms = 0;
};
static_assert(sizeof(FunctionEnable) == 8);

// Bus requests.
inline constexpr BYTE kCommandIoRwDirect = 52;
inline constexpr BYTE kCommandIoRwExtended = 53;
inline constexpr DWORD kTransferRead = 0;
inline constexpr DWORD kTransferWrite = 1;
inline constexpr DWORD kResponseR5 = 6;
// Direct register transfers.
inline constexpr DWORD kRegisterRead = 0;
inline constexpr DWORD kRegisterWrite = 1;

struct CommandResponse {
  DWORD response_type = 0;
  BYTE data[17] = {};  // data[0] the card's response flags, data[1] the data byte
};

// The CMD53 argument: bit 31 write, bits 30-28 function, bit 27 block mode,
// bit 26 incrementing address, bits 25-9 address, bits 8-0 count (0 = 512).
constexpr DWORD ExtendedArgument(bool write, BYTE function, bool block_mode, bool incrementing,
                                 DWORD address, DWORD count) {
  return (write ? 1u << 31 : 0u) | (DWORD{function} & 7u) << 28 | (block_mode ? 1u << 27 : 0u) |
         (incrementing ? 1u << 26 : 0u) | (address & 0x1FFFFu) << 9 | (count & 0x1FFu);
}

// --- The client function table -----------------------------------------------

using RegisterClientFunction = LONG(DWORD device, void* context,
                                    const ClientRegistration* registration);
// Synchronous CMD53 request; the argument decides function, address, mode
// and count, transfer_class must agree with its direction.
using BusRequestFunction = LONG(DWORD device, BYTE command, DWORD argument, DWORD transfer_class,
                                DWORD response_type, CommandResponse* response, DWORD block_count,
                                DWORD block_size, BYTE* buffer, DWORD flags);
using CardInfoQueryFunction = LONG(DWORD device, DWORD info_type, void* buffer, DWORD size);
// CMD52 for each of `length` bytes at consecutive addresses; with
// read_after_write the buffer receives what the card reads back.
using RegisterReadWriteFunction = LONG(DWORD device, DWORD direction, BYTE function, DWORD address,
                                       BOOL read_after_write, BYTE* buffer, DWORD length);
using SetCardFeatureFunction = LONG(DWORD device, DWORD feature, void* buffer, DWORD size);
using UnusedSlot = void (*)();

// Each operation at its slot index.
struct ClientFunctions {
  RegisterClientFunction* register_client = nullptr;  // 0
  BusRequestFunction* bus_request = nullptr;          // 1
  UnusedSlot slot2 = nullptr;
  UnusedSlot slot3 = nullptr;
  CardInfoQueryFunction* card_info_query = nullptr;          // 4
  RegisterReadWriteFunction* register_read_write = nullptr;  // 5
  UnusedSlot slot6 = nullptr;
  UnusedSlot slot7 = nullptr;
  UnusedSlot slot8 = nullptr;
  UnusedSlot slot9 = nullptr;
  SetCardFeatureFunction* set_card_feature = nullptr;  // 10
};
static_assert(offsetof(ClientFunctions, card_info_query) == 4 * sizeof(void*));
static_assert(offsetof(ClientFunctions, register_read_write) == 5 * sizeof(void*));
static_assert(offsetof(ClientFunctions, set_card_feature) == 10 * sizeof(void*));

using FillClientFunctionsFunction = LONG(ClientFunctions* table);

// The routine at the start of a device handle's object: fills a client's
// function table. Null for a handle the bus never gave out.
FillClientFunctionsFunction* GetClientTableFiller(DWORD device_handle);

// --- Client driver registration ----------------------------------------------

// "Drivers\SDCARD\ClientDrivers\Custom\MANF-xxxx-CARDID-xxxx-FUNC-n".
std::string ClientDriverKey(WORD manufacturer, WORD card_id, BYTE function);
// Writes the key with "Dll" and "Prefix" into the current handheld's
// registry; ERROR_SUCCESS or the registry's error.
LONG RegisterClientDriver(WORD manufacturer, WORD card_id, BYTE function, std::string_view dll,
                          std::string_view prefix);

// --- The bus service ---------------------------------------------------------------

namespace bus_internal {
class Slot;
struct Access;
}  // namespace bus_internal

class SdBus : public HandheldService {
 public:
  explicit SdBus(Handheld& handheld);
  ~SdBus() override;

  // Puts a card into the empty slot and loads its client driver when one is
  // registered (the call returns once the driver's Init has run). False
  // when the slot is taken.
  bool InsertCard(std::shared_ptr<SdCard> card);
  // Takes the card out: later transfers fail, the client hears "card
  // removed", its driver is deactivated. False when the slot is empty.
  bool RemoveCard();
  // The card leaves on its own after `transfers` more transfers (so in the
  // middle of whatever the driver is doing); the driver is told and
  // deactivated from a thread of the bus.
  void RemoveCardAfterTransfers(std::uint64_t transfers);
  // Waits until a removal started from inside a transfer has finished.
  void WaitForRemoval();

  bool HasCard() const;
  // The device handle of the card in the slot.
  std::optional<DWORD> DeviceHandle() const;
  // The client driver activated for the card; null when none.
  ActiveDeviceHandle ActiveDriver() const;
  InterfaceSettings Interface() const;
  DWORD BlockLength() const;
  // Transfers carried out since the handheld started.
  std::uint64_t TransferCount() const;

  void Shutdown() override;

 private:
  friend struct bus_internal::Access;
  std::unique_ptr<bus_internal::Slot> slot_;
};

}  // namespace platform::sd
