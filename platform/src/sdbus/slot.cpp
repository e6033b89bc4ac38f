// The slot: insertion and removal with the client driver's activation, and
// the transfers with their time on the clock.
#include "sdbus/slot.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/handheld.h"
#include "platform/registry.h"
#include "platform/time.h"
#include "sdbus/transfer_cost.h"

namespace platform::sd::bus_internal {

namespace {

constexpr DWORD kDefaultClockHz = 25'000'000;
constexpr DWORD kLargestBlock = 2048;
// The common registers of function 0 that enable a function and show it ready.
constexpr DWORD kIoEnableRegister = 2;
constexpr DWORD kIoReadyRegister = 3;
// The function that client drivers bind to.
constexpr BYTE kClientFunction = 1;

}  // namespace

bool Slot::Insert(std::shared_ptr<SdCard> card) {
  if (!card) return false;
  const CardIdentity identity = card->Identity();
  auto inserted = std::make_shared<Inserted>();
  {
    std::lock_guard lock(mutex_);
    if (inserted_) return false;
    inserted->card = std::move(card);
    inserted->handle = next_handle_++;
    inserted_ = inserted;
    interface_ = {kInterfaceFourBit, kDefaultClockHz, FALSE};
    block_length_ = 0;
    unspent_ns_ = 0;
    removal_countdown_.reset();
  }
  const std::string key = ClientDriverKey(identity.manufacturer, identity.card_id, kClientFunction);
  if (!Handheld::Current().registry().KeyExists(HKEY_LOCAL_MACHINE, key)) {
    return true;  // no driver for it: the card just sits in the slot
  }
  const ActiveKeyValue values[] = {{"ClientInfo", inserted->handle}};
  ActiveDeviceHandle driver = ActivateDevice(key, values);
  bool removed_meanwhile = false;
  {
    std::lock_guard lock(mutex_);
    inserted->driver = driver;
    removed_meanwhile = !inserted->present;
  }
  // A card pulled while its driver started: the removal found no driver
  // to deactivate yet.
  if (removed_meanwhile && driver) {
    DeactivateDevice(driver);
    std::lock_guard lock(mutex_);
    inserted->driver = nullptr;
  }
  return true;
}

bool Slot::Detach(const InsertedPtr& inserted) {
  std::lock_guard lock(mutex_);
  if (!inserted || !inserted->present) return false;
  inserted->present = false;
  removal_countdown_.reset();
  return true;
}

void Slot::FinishRemoval(const InsertedPtr& inserted) {
  SlotEventCallback* callback = nullptr;
  void* context = nullptr;
  ActiveDeviceHandle driver = nullptr;
  {
    std::lock_guard lock(mutex_);
    callback = inserted->slot_event_callback;
    context = inserted->client_context;
    driver = std::exchange(inserted->driver, nullptr);
  }
  if (callback) callback(inserted->handle, context, kSlotEventCardRemoved);
  if (driver) DeactivateDevice(driver);
  std::lock_guard lock(mutex_);
  if (inserted_ == inserted) inserted_.reset();
}

bool Slot::Remove() {
  InsertedPtr inserted;
  {
    std::lock_guard lock(mutex_);
    inserted = inserted_;
  }
  if (!Detach(inserted)) return false;
  FinishRemoval(inserted);
  return true;
}

void Slot::RemoveAfterTransfers(std::uint64_t transfers) {
  std::lock_guard lock(mutex_);
  removal_countdown_ = transfers;
}

void Slot::WaitForRemoval() {
  ThreadHandle thread;
  {
    std::lock_guard lock(mutex_);
    thread = removal_thread_;
  }
  if (thread) WaitForSingleObject(*thread, INFINITE);
}

// A removal still under way ends with the device manager's shutdown, which
// deactivates what is left; waiting for it here could hold up a driver that
// still reaches for the bus.
void Slot::Shutdown() {}

bool Slot::HasCard() const {
  std::lock_guard lock(mutex_);
  return inserted_ && inserted_->present;
}

std::optional<DWORD> Slot::DeviceHandle() const {
  std::lock_guard lock(mutex_);
  if (!inserted_ || !inserted_->present) return std::nullopt;
  return inserted_->handle;
}

ActiveDeviceHandle Slot::ActiveDriver() const {
  std::lock_guard lock(mutex_);
  return inserted_ ? inserted_->driver : nullptr;
}

InterfaceSettings Slot::Interface() const {
  std::lock_guard lock(mutex_);
  InterfaceSettings settings = interface_;
  if (inserted_) settings.clock_hz = EffectiveClock(*inserted_->card);
  return settings;
}

DWORD Slot::BlockLength() const {
  std::lock_guard lock(mutex_);
  return block_length_;
}

std::uint64_t Slot::TransferCount() const {
  std::lock_guard lock(mutex_);
  return transfers_;
}

bool Slot::IsHandle(DWORD device) const {
  std::lock_guard lock(mutex_);
  return device >= kFirstHandle && device < next_handle_;
}

DWORD Slot::EffectiveClock(SdCard& card) const {
  return std::min(interface_.clock_hz, card.Identity().max_clock_hz);
}

Slot::InsertedPtr Slot::Live(DWORD device, LONG* status) const {
  std::lock_guard lock(mutex_);
  if (inserted_ && inserted_->handle == device && inserted_->present) {
    *status = kStatusSuccess;
    return inserted_;
  }
  const bool known = device >= kFirstHandle && device < next_handle_;
  *status = known ? kStatusDeviceRemoved : kStatusInvalidHandle;
  return nullptr;
}

LONG Slot::Transfer(DWORD device, std::uint64_t clocks,
                    const std::function<bool(SdCard&)>& operation) {
  LONG status;
  InsertedPtr inserted = Live(device, &status);
  if (!inserted) return status;
  std::uint64_t spend_us = 0;
  {
    std::lock_guard lock(mutex_);
    const DWORD clock_hz = EffectiveClock(*inserted->card);
    if (clock_hz == 0) return kStatusUnsuccessful;  // no clock, no transfer
    unspent_ns_ += kRequestHandlingNs + ClocksToNanoseconds(clocks, clock_hz);
    spend_us = unspent_ns_ / 1000;
    unspent_ns_ %= 1000;
  }
  if (spend_us) clock::Spend(spend_us);

  std::lock_guard transfer(transfer_mutex_);
  bool leaves_now = false;
  {
    std::lock_guard lock(mutex_);
    if (!inserted->present) return kStatusDeviceRemoved;
    ++transfers_;
    if (removal_countdown_) {
      if (*removal_countdown_ == 0) {
        leaves_now = true;
      } else {
        --*removal_countdown_;
      }
    }
  }
  if (leaves_now) {
    // The card is pulled mid-transfer. The driver is called from here, so
    // it is told from a thread of its own.
    if (Detach(inserted)) {
      ThreadHandle thread = CreateThread(
          [this, inserted]() -> DWORD {
            FinishRemoval(inserted);
            return 0;
          },
          "sd card removal");
      std::lock_guard lock(mutex_);
      removal_thread_ = thread;
    }
    return kStatusDeviceRemoved;
  }
  return operation(*inserted->card) ? kStatusSuccess : kStatusDataError;
}

LONG Slot::Direct(DWORD device, bool write, BYTE function, DWORD address, BYTE* value) {
  return Transfer(device, kCommandClocks, [&](SdCard& card) {
    return write ? card.WriteRegister(function, address, *value)
                 : card.ReadRegister(function, address, value);
  });
}

LONG Slot::RegisterClient(DWORD device, void* context, const ClientRegistration* registration) {
  if (!registration) return kStatusInvalidParameter;
  LONG status;
  InsertedPtr inserted = Live(device, &status);
  if (!inserted) return status;
  std::lock_guard lock(mutex_);
  inserted->client_context = context;
  inserted->slot_event_callback = registration->slot_event_callback;
  return kStatusSuccess;
}

LONG Slot::Request(DWORD device, BYTE command, DWORD argument, DWORD transfer_class,
                   DWORD response_type, CommandResponse* response, DWORD block_count,
                   DWORD block_size, BYTE* buffer) {
  if (command != kCommandIoRwExtended) return kStatusNotSupported;
  DataTransfer transfer;
  const bool write = (argument >> 31) != 0;
  transfer.function = static_cast<BYTE>((argument >> 28) & 7);
  transfer.block_mode = (argument >> 27) & 1;
  transfer.incrementing = (argument >> 26) & 1;
  transfer.address = (argument >> 9) & 0x1FFFF;
  transfer.count = argument & 0x1FF;
  if (transfer_class != (write ? kTransferWrite : kTransferRead) || !buffer) {
    return kStatusInvalidParameter;
  }
  std::uint64_t bytes = 0;
  std::uint64_t clocks = kCommandClocks;
  DWORD mode = Interface().mode;
  if (transfer.block_mode) {
    // The card takes blocks of the length set for it; a count of 0 would
    // run until stopped, which this bus does not offer.
    const DWORD length = BlockLength();
    if (transfer.count == 0 || block_count != transfer.count || length == 0 ||
        block_size != length) {
      return kStatusInvalidParameter;
    }
    transfer.block_size = block_size;
    bytes = std::uint64_t{block_count} * block_size;
    clocks += DataClocks(mode, block_size, block_count);
  } else {
    if (transfer.count == 0) transfer.count = 512;
    bytes = transfer.count;
    clocks += DataClocks(mode, bytes, 1);
  }
  LONG status = Transfer(device, clocks, [&](SdCard& card) {
    return write ? card.WriteData(transfer, std::span<const BYTE>(buffer, bytes))
                 : card.ReadData(transfer, std::span<BYTE>(buffer, bytes));
  });
  if (response) {
    *response = {};
    response->response_type = response_type;
    response->data[0] = Succeeded(status) ? 0x00 : 0x08;  // 0x08: error
  }
  return status;
}

LONG Slot::ReadWriteRegisters(DWORD device, DWORD direction, BYTE function, DWORD address,
                              BOOL read_after_write, BYTE* buffer, DWORD length) {
  if (function > 7 || !buffer || length == 0 ||
      (direction != kRegisterRead && direction != kRegisterWrite) || address + length > 0x20000) {
    return kStatusInvalidParameter;
  }
  for (DWORD i = 0; i < length; ++i) {
    LONG status = Direct(device, direction == kRegisterWrite, function, address + i, &buffer[i]);
    if (Succeeded(status) && direction == kRegisterWrite && read_after_write) {
      status = Direct(device, false, function, address + i, &buffer[i]);
    }
    if (!Succeeded(status)) return status;
  }
  return kStatusSuccess;
}

LONG Slot::QueryInfo(DWORD device, DWORD info_type, void* buffer, DWORD size) {
  LONG status;
  InsertedPtr inserted = Live(device, &status);
  if (!inserted) return status;
  if (!buffer) return kStatusInvalidParameter;
  const CardIdentity identity = inserted->card->Identity();
  switch (info_type) {
    case kInfoCardAddress:
      if (size < sizeof(WORD)) return kStatusInvalidParameter;
      std::memcpy(buffer, &identity.card_address, sizeof(WORD));
      return kStatusSuccess;
    case kInfoInterface: {
      if (size < sizeof(InterfaceSettings)) return kStatusInvalidParameter;
      const InterfaceSettings settings = Interface();
      std::memcpy(buffer, &settings, sizeof settings);
      return kStatusSuccess;
    }
    case kInfoIoFunction:
      if (size < sizeof(IoFunctionInfo)) return kStatusInvalidParameter;
      std::memcpy(buffer, &identity.function_info, sizeof(IoFunctionInfo));
      return kStatusSuccess;
    default:
      return kStatusNotSupported;
  }
}

LONG Slot::EnableFunction(DWORD device, const FunctionEnable& enable, bool on) {
  BYTE enabled = 0;
  LONG status = Direct(device, false, 0, kIoEnableRegister, &enabled);
  if (!Succeeded(status)) return status;
  const BYTE bit = static_cast<BYTE>(1u << kClientFunction);
  enabled = on ? (enabled | bit) : (enabled & ~bit);
  status = Direct(device, true, 0, kIoEnableRegister, &enabled);
  if (!Succeeded(status) || !on) return status;
  for (DWORD tries = std::max<DWORD>(enable.ready_tries, 1); tries > 0; --tries) {
    BYTE ready = 0;
    status = Direct(device, false, 0, kIoReadyRegister, &ready);
    if (!Succeeded(status)) return status;
    if (ready & bit) return kStatusSuccess;
    if (tries > 1) Sleep(enable.interval_ms);
  }
  return kStatusNotReady;
}

LONG Slot::SetFeature(DWORD device, DWORD feature, void* buffer, DWORD size) {
  LONG status;
  InsertedPtr inserted = Live(device, &status);
  if (!inserted) return status;
  switch (feature) {
    case kFeatureEnableFunction: {
      FunctionEnable enable;
      if (buffer) {
        if (size < sizeof enable) return kStatusInvalidParameter;
        std::memcpy(&enable, buffer, sizeof enable);
      }
      return EnableFunction(device, enable, true);
    }
    case kFeatureDisableFunction:
      return EnableFunction(device, {}, false);
    case kFeatureBlockLength: {
      DWORD length = 0;
      if (!buffer || size < sizeof length) return kStatusInvalidParameter;
      std::memcpy(&length, buffer, sizeof length);
      if (length == 0 || length > kLargestBlock) return kStatusInvalidParameter;
      std::lock_guard lock(mutex_);
      block_length_ = length;
      return kStatusSuccess;
    }
    case kFeatureInterface: {
      InterfaceSettings settings;
      if (!buffer || size < sizeof settings) return kStatusInvalidParameter;
      std::memcpy(&settings, buffer, sizeof settings);
      if ((settings.mode != kInterfaceFourBit && settings.mode != kInterfaceOneBit) ||
          settings.clock_hz == 0) {
        return kStatusInvalidParameter;
      }
      std::lock_guard lock(mutex_);
      interface_.mode = settings.mode;
      interface_.clock_hz = settings.clock_hz;  // the card's limit applies on use
      return kStatusSuccess;
    }
    default:
      return kStatusNotSupported;
  }
}

}  // namespace platform::sd::bus_internal
