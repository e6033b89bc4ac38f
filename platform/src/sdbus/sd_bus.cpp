// The bus service of a handheld: its slot.
#include "platform/sd_bus.h"

#include "sdbus/slot.h"

namespace platform::sd {

SdBus::SdBus(Handheld&) : slot_(std::make_unique<bus_internal::Slot>()) {}
SdBus::~SdBus() = default;

bool SdBus::InsertCard(std::shared_ptr<SdCard> card) { return slot_->Insert(std::move(card)); }
bool SdBus::RemoveCard() { return slot_->Remove(); }
void SdBus::RemoveCardAfterTransfers(std::uint64_t transfers) {
  slot_->RemoveAfterTransfers(transfers);
}
void SdBus::WaitForRemoval() { slot_->WaitForRemoval(); }
bool SdBus::HasCard() const { return slot_->HasCard(); }
std::optional<DWORD> SdBus::DeviceHandle() const { return slot_->DeviceHandle(); }
ActiveDeviceHandle SdBus::ActiveDriver() const { return slot_->ActiveDriver(); }
InterfaceSettings SdBus::Interface() const { return slot_->Interface(); }
DWORD SdBus::BlockLength() const { return slot_->BlockLength(); }
std::uint64_t SdBus::TransferCount() const { return slot_->TransferCount(); }
void SdBus::Shutdown() { slot_->Shutdown(); }

}  // namespace platform::sd
