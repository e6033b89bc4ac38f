#include "module_commands.h"

#include "hardware/camera_registers.h"
#include "statistics.h"

namespace card::internal {

namespace {

using namespace camera_hardware::module;

// The processor works through memory at 100 bytes a microsecond.
constexpr std::uint64_t kBytesPerUs = 100;

}  // namespace

void CommandProcessor::Reset() {
  area_ = position_ = 0;
  control_.fill(0);
  parameters_.fill(0);
  command_.fill(0);
  result_slot_ = 0;
  status_ = 0;
  results_.fill(0);
  running_.reset();
  port_address_ = 0;
  port_remaining_ = 0;
}

void CommandProcessor::SelectArea(std::uint8_t area) {
  area_ = area;
  position_ = 0;
}

void CommandProcessor::WriteMailbox(std::uint8_t value) {
  std::array<std::uint8_t, 8>* area = nullptr;
  if (area_ == kControlArea) area = &control_;
  if (area_ == kParameterArea) area = &parameters_;
  if (area_ == kCommandArea) area = &command_;
  if (area && position_ < area->size()) (*area)[position_] = value;
  ++position_;
}

std::uint8_t CommandProcessor::ReadResult() const {
  switch (result_slot_) {
    case kStatusSlot:
      return status_;
    case kSecondResultSlot:
      return results_[1];
    case kThirdResultSlot:
      return results_[2];
    default:
      return 0;
  }
}

void CommandProcessor::Done(const std::array<std::uint8_t, 3>& results) {
  results_ = results;
  status_ = results[0] | kCommandDone;
}

void CommandProcessor::Start(std::uint32_t source, std::uint32_t destination, std::uint32_t words,
                             std::uint64_t now_us) {
  const std::uint8_t command = command_[0];
  const std::size_t bytes = std::size_t{words} * 2;
  status_ = 0;
  results_.fill(0);
  running_.reset();
  port_remaining_ = 0;
  if (command == 33) {
    port_address_ = source;
    port_remaining_ = bytes;
    if (bytes == 0) Done({});
    return;
  }
  if (command < 36 || command > 44) {
    status_ = kCommandRefused;
    results_ = {kCommandRefused, kCommandRefused, kCommandRefused};
    return;
  }
  running_ = Running{command, source, destination, bytes, now_us + bytes / kBytesPerUs + 1};
}

std::optional<std::uint64_t> CommandProcessor::DueAt() const {
  if (!running_) return std::nullopt;
  return running_->done_us;
}

void CommandProcessor::RunDue(std::uint64_t now_us) {
  if (running_ && running_->done_us <= now_us) {
    const Running running = *running_;
    running_.reset();
    Finish(running);
  }
}

void CommandProcessor::Finish(const Running& running) {
  switch (running.command) {
    case 36:
    case 38:
    case 41:
    case 43: {
      const bool centre_weighted = running.command == 41 || running.command == 43;
      Done(EncodeMeans(CellStatistics(memory_, running.source, running.destination, running.bytes,
                                      parameters_, centre_weighted)));
      return;
    }
    case 37:
      Done(EncodeMeans(GreyWorld(memory_, running.source, running.bytes)));
      return;
    case 42:
      for (std::size_t i = 0; i < running.bytes; ++i) {
        memory_.Set(running.destination + static_cast<std::uint32_t>(i),
                    static_cast<std::uint8_t>(
                        255 - memory_.At(running.source + static_cast<std::uint32_t>(i))));
      }
      break;
    case 44:
      for (std::size_t i = 0; i < running.bytes; ++i) {
        memory_.Set(running.destination + static_cast<std::uint32_t>(i),
                    memory_.At(running.source + static_cast<std::uint32_t>(i)));
      }
      break;
    default:
      break;  // 39, 40: the frame passes unchanged
  }
  Done({});
}

std::uint8_t CommandProcessor::ReadPort() {
  if (port_remaining_ == 0) return 0;
  const std::uint8_t value = memory_.At(port_address_++);
  if (--port_remaining_ == 0) Done({});
  return value;
}

}  // namespace card::internal
