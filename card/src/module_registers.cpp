// The module's registers: what reading and writing each one does.
#include "hardware/camera_registers.h"
#include "module.h"

namespace card::internal {

namespace {

using namespace camera_hardware::module;

// Register 26 after start-up, when nothing has been written.
constexpr std::uint8_t kPowerOnPipelineControl = 0x70;

}  // namespace

Module::Module(std::unique_ptr<SceneSource> scene, const CardFaults& faults)
    : faults_(faults), scene_(std::move(scene)) {
  Reset();
}

void Module::Reset() {
  registers_.fill(0);
  registers_[kPipelineControl] = kPowerOnPipelineControl;
  port_.Reset();
  serial_.Reset();
  program_.Reset();
  quantiser_.Reset();
  commands_.Reset();
  capture_status_ = levels_status_ = 0;
  CancelPipeline();
}

std::uint32_t Module::Address24(int low_register) const {
  return registers_[low_register] | registers_[low_register + 1] << 8 |
         static_cast<std::uint32_t>(registers_[low_register + 2]) << 16;
}

int Module::Word16(int low_register) const {
  return registers_[low_register] | registers_[low_register + 1] << 8;
}

std::uint8_t Module::ReadAndClear(std::uint8_t& status) {
  const std::uint8_t value = status;
  status = 0;
  return value;
}

std::uint8_t Module::Read(std::uint8_t reg, std::uint64_t now_us) {
  RunDue(now_us);
  switch (reg) {
    case kSerialStatus:
      return serial_.Status(now_us);
    case kOrientation:
      return static_cast<std::uint8_t>((registers_[reg] & ~1) | (lens_turned_ ? 1 : 0));
    case kPipelineControl:
      return faults_.wrong_readback ? registers_[reg] ^ 0x55 : registers_[reg];
    case kPortData:
      return port_.Read();
    case kSerialReceived:
      return serial_.Received();
    case kCaptureStatus:
      return ReadAndClear(capture_status_);
    case kLevelsStatus:
      return ReadAndClear(levels_status_);
    case kMailboxData:
      return commands_.ReadResult();
    case kQuantiserControl:
      return quantiser_.Control(now_us);
    default:
      return registers_[reg];
  }
}

void Module::Write(std::uint8_t reg, std::uint8_t value, std::uint64_t now_us) {
  RunDue(now_us);
  const std::uint8_t before = registers_[reg];
  registers_[reg] = value;
  switch (reg) {
    case kPipelineControl:
      if ((value & kPipelineRunning) == 0 && (before & kPipelineRunning) != 0) CancelPipeline();
      break;
    case kBankSelect:
      port_.SelectBank(value);
      break;
    case kPortData:
      port_.Write(value);
      break;
    case kPortWriteAddress:
      port_.SetWriteAddress(value);
      break;
    case kPortReadAddress:
      port_.SetReadAddress(value);
      break;
    case kSerialCommand:
      serial_.Command(value, registers_[kSerialTransmit], now_us);
      break;
    case kRunControl:
      registers_[reg] = before;  // RunControl compares with what was there
      RunControl(value, now_us);
      break;
    case kProcessorControl:
      program_.SetControl(value);
      if (value == kProcessorStart && program_.Loaded()) {
        commands_.Start(Address24(kCommandSource), Address24(kCommandDestination),
                        Address24(kCommandWords), now_us);
      }
      break;
    case kMailboxData:
      commands_.WriteMailbox(value);
      break;
    case kMailboxArea:
      commands_.SelectArea(value);
      break;
    case kResultSlot:
      commands_.SelectResult(value);
      break;
    case kMailboxPosition:
      commands_.SetPosition(value);
      program_.RestartUpload();
      break;
    case kProgramData:
      program_.Store(value);
      break;
    case kQuantiserControl:
      quantiser_.SetControl(value);
      break;
    case kQuantiserData:
      quantiser_.Store(value, now_us);
      break;
    default:
      break;
  }
}

std::uint8_t Module::ReadPort(std::uint64_t now_us) {
  RunDue(now_us);
  return commands_.ReadPort();
}

bool Module::InterruptPending(std::uint64_t now_us) {
  RunDue(now_us);
  return (capture_status_ & registers_[kCaptureEnables]) != 0 ||
         (levels_status_ & registers_[kLevelsEnables]) != 0;
}

}  // namespace card::internal
