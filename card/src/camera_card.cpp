// The card's two functions as the bus sees them: the common registers of
// function 0, and function 1's card interface, module registers and data
// output port; with the fault switches and the trace.
#include "card/camera_card.h"

#include <algorithm>

#include "hardware/camera_registers.h"
#include "module.h"

namespace card {

namespace {

using platform::BYTE;
using platform::DWORD;

using namespace camera_hardware;
using namespace camera_hardware::common;
using interface::kDataOutputPort;
using interface::kModuleRegisterBase;
using interface::kModuleRunning;

}  // namespace

CameraCard::CameraCard(std::unique_ptr<SceneSource> scene)
    : module_(std::make_unique<internal::Module>(scene ? std::move(scene) : MakeAnimatedScene(),
                                                 faults_)) {}

CameraCard::~CameraCard() = default;

platform::sd::CardIdentity CameraCard::Identity() {
  std::lock_guard lock(mutex_);
  platform::sd::CardIdentity identity;
  identity.card_address = 0x0001;
  identity.manufacturer = kCardManufacturer;
  identity.card_id = kCardId;
  identity.function_info.function_number = faults_.wrong_function_number ? 2 : 1;
  identity.function_info.device_code = 5;  // a camera
  identity.function_info.cis_pointer = 0x00001000;
  identity.function_info.capabilities = 0x13;
  identity.max_clock_hz = faults_.no_clock ? 0 : 25'000'000;
  return identity;
}

bool CameraCard::Answers() {
  if (faults_.failing_transfers == 0) return true;
  if (faults_.failing_after > 0) {
    --faults_.failing_after;
    return true;
  }
  --faults_.failing_transfers;
  return false;
}

void CameraCard::Record(TraceEntry::Kind kind, BYTE function, DWORD address, DWORD value) {
  if (trace_) trace_->push_back({kind, function, address, value, platform::sd::CardClockUs()});
}

bool CameraCard::ReadByte(BYTE function, DWORD address, BYTE* value) {
  const std::uint64_t now = platform::sd::CardClockUs();
  const bool running = interface_control_ & kModuleRunning;
  *value = 0;
  if (function == 0) {
    if (address == kIoEnable) *value = io_enable_;
    if (address == kIoReady) *value = io_enable_ & kFunctionOne;
    if (address == kInterruptPending && running && module_->InterruptPending(now)) {
      *value = kFunctionOne;
    }
    return true;
  }
  if (function != 1 || !(io_enable_ & kFunctionOne)) return false;
  if (address == interface::kControl) {
    *value = interface_control_;
  } else if (address == kDataOutputPort) {
    if (running) *value = module_->ReadPort(now);
  } else if (address >= kModuleRegisterBase && address < kModuleRegisterBase + 256) {
    if (running) *value = module_->Read(static_cast<BYTE>(address - kModuleRegisterBase), now);
  }
  return true;
}

bool CameraCard::WriteByte(BYTE function, DWORD address, BYTE value) {
  const std::uint64_t now = platform::sd::CardClockUs();
  if (function == 0) {
    if (address == kIoEnable) io_enable_ = value & kFunctionOne;
    return true;
  }
  if (function != 1 || !(io_enable_ & kFunctionOne)) return false;
  if (address == interface::kControl) {
    const bool was_running = interface_control_ & kModuleRunning;
    interface_control_ = value;
    if (was_running && !(value & kModuleRunning)) module_->Reset();
  } else if (address >= kModuleRegisterBase && address < kModuleRegisterBase + 256) {
    if (interface_control_ & kModuleRunning) {
      module_->Write(static_cast<BYTE>(address - kModuleRegisterBase), value, now);
    }
  }
  return true;
}

bool CameraCard::ReadRegister(BYTE function, DWORD address, BYTE* value) {
  std::lock_guard lock(mutex_);
  if (!Answers()) return false;
  const bool ok = ReadByte(function, address, value);
  Record(TraceEntry::Kind::kRead, function, address, *value);
  return ok;
}

bool CameraCard::WriteRegister(BYTE function, DWORD address, BYTE value) {
  std::lock_guard lock(mutex_);
  if (!Answers()) return false;
  Record(TraceEntry::Kind::kWrite, function, address, value);
  return WriteByte(function, address, value);
}

bool CameraCard::ReadData(const platform::sd::DataTransfer& transfer, std::span<BYTE> data) {
  std::lock_guard lock(mutex_);
  if (!Answers()) return false;
  Record(TraceEntry::Kind::kBlockRead, transfer.function, transfer.address,
         static_cast<DWORD>(data.size()));
  for (std::size_t i = 0; i < data.size(); ++i) {
    const DWORD address = transfer.address + (transfer.incrementing ? static_cast<DWORD>(i) : 0);
    if (!ReadByte(transfer.function, address, &data[i])) return false;
  }
  return true;
}

bool CameraCard::WriteData(const platform::sd::DataTransfer& transfer, std::span<const BYTE> data) {
  std::lock_guard lock(mutex_);
  if (!Answers()) return false;
  Record(TraceEntry::Kind::kBlockWrite, transfer.function, transfer.address,
         static_cast<DWORD>(data.size()));
  if (transfer.function == 0 && transfer.address == kBurstAddress && !transfer.incrementing) {
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
      if (!WriteByte(1, kModuleRegisterBase + data[i], data[i + 1])) return false;
    }
    return true;
  }
  for (std::size_t i = 0; i < data.size(); ++i) {
    const DWORD address = transfer.address + (transfer.incrementing ? static_cast<DWORD>(i) : 0);
    if (!WriteByte(transfer.function, address, data[i])) return false;
  }
  return true;
}

void CameraCard::SetScene(std::unique_ptr<SceneSource> scene) {
  std::lock_guard lock(mutex_);
  module_->SetScene(scene ? std::move(scene) : MakeAnimatedScene());
}

void CameraCard::SetLight(double light) {
  std::lock_guard lock(mutex_);
  module_->SetLight(std::max(light, 0.0));
}

std::chrono::nanoseconds CameraCard::SimulationCpuTime() const {
  std::lock_guard lock(mutex_);
  return module_->simulation_cpu();
}

void CameraCard::SetOrientation(bool turned) {
  std::lock_guard lock(mutex_);
  module_->SetOrientation(turned);
}

void CameraCard::SetFaults(const CardFaults& faults) {
  std::lock_guard lock(mutex_);
  faults_ = faults;
}

CardFaults CameraCard::Faults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

void CameraCard::SetTracing(bool on) {
  std::lock_guard lock(mutex_);
  if (on) {
    trace_.emplace();
  } else {
    trace_.reset();
  }
}

std::vector<TraceEntry> CameraCard::Trace() const {
  std::lock_guard lock(mutex_);
  return trace_.value_or(std::vector<TraceEntry>{});
}

std::vector<BYTE> CameraCard::ReadModuleMemory(std::uint32_t address, std::size_t count) const {
  std::lock_guard lock(mutex_);
  auto range = module_->memory().Range(address, count);
  return {range.begin(), range.end()};
}

BYTE CameraCard::SensorRegister(BYTE reg) const {
  std::lock_guard lock(mutex_);
  return module_->sensor().Read(reg);
}

}  // namespace card
