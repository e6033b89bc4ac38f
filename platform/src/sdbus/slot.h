// The bus's one slot: the card in it, its client, the interface settings,
// and every operation of the client function table.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/sd_bus.h"
#include "platform/threads.h"

namespace platform::sd::bus_internal {

class Slot {
 public:
  static constexpr DWORD kFirstHandle = 0x5D000001u;

  Slot() = default;
  Slot(const Slot&) = delete;
  Slot& operator=(const Slot&) = delete;

  bool Insert(std::shared_ptr<SdCard> card);
  bool Remove();
  void RemoveAfterTransfers(std::uint64_t transfers);
  void WaitForRemoval();
  void Shutdown();

  bool HasCard() const;
  std::optional<DWORD> DeviceHandle() const;
  ActiveDeviceHandle ActiveDriver() const;
  InterfaceSettings Interface() const;
  DWORD BlockLength() const;
  std::uint64_t TransferCount() const;
  bool IsHandle(DWORD device) const;

  // The client function table's operations.
  LONG RegisterClient(DWORD device, void* context, const ClientRegistration* registration);
  LONG Request(DWORD device, BYTE command, DWORD argument, DWORD transfer_class,
               DWORD response_type, CommandResponse* response, DWORD block_count, DWORD block_size,
               BYTE* buffer);
  LONG ReadWriteRegisters(DWORD device, DWORD direction, BYTE function, DWORD address,
                          BOOL read_after_write, BYTE* buffer, DWORD length);
  LONG QueryInfo(DWORD device, DWORD info_type, void* buffer, DWORD size);
  LONG SetFeature(DWORD device, DWORD feature, void* buffer, DWORD size);

 private:
  struct Inserted {
    std::shared_ptr<SdCard> card;
    DWORD handle = 0;
    bool present = true;
    void* client_context = nullptr;
    SlotEventCallback* slot_event_callback = nullptr;
    ActiveDeviceHandle driver = nullptr;
  };
  using InsertedPtr = std::shared_ptr<Inserted>;

  // The card behind a live handle, or the status that refuses it.
  InsertedPtr Live(DWORD device, LONG* status) const;
  DWORD EffectiveClock(SdCard& card) const;  // caller holds mutex_
  // Spends the time of `clocks` bus clocks, then runs `operation` on the
  // card unless it has gone; counts the transfer.
  LONG Transfer(DWORD device, std::uint64_t clocks, const std::function<bool(SdCard&)>& operation);
  LONG Direct(DWORD device, bool write, BYTE function, DWORD address, BYTE* value);
  LONG EnableFunction(DWORD device, const FunctionEnable& enable, bool on);
  // Marks the card gone; false when it already was.
  bool Detach(const InsertedPtr& inserted);
  // Tells the client and deactivates its driver, then empties the slot.
  void FinishRemoval(const InsertedPtr& inserted);

  mutable std::mutex mutex_;
  InsertedPtr inserted_;  // null: the slot is empty
  InterfaceSettings interface_;
  DWORD block_length_ = 0;  // 0: not set yet
  std::uint64_t transfers_ = 0;
  std::optional<std::uint64_t> removal_countdown_;
  std::uint64_t unspent_ns_ = 0;
  DWORD next_handle_ = kFirstHandle;
  ThreadHandle removal_thread_;
  // Serialises the transfers themselves, as the one bus does.
  std::mutex transfer_mutex_;
};

}  // namespace platform::sd::bus_internal
