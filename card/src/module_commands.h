// The module processor's command block: the mailbox written through
// registers 134 (area), 136 (position) and 133 (data), started by 132 <- 16,
// and the status and results read through 135 (slot) and 133. Commands:
// 33 streams memory to the data output port; 36, 38 and the centre-weighted
// 43, 41 measure colour statistics; 37 measures grey-world white balance;
// 39 and 40 pass the frame through unchanged; 42 inverts it; 44 copies.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "frame_memory.h"

namespace card::internal {

class CommandProcessor {
 public:
  explicit CommandProcessor(FrameMemory& memory) : memory_(memory) {}
  void Reset();

  void SelectArea(std::uint8_t area);
  void SetPosition(std::uint8_t position) { position_ = position; }
  void WriteMailbox(std::uint8_t value);
  void SelectResult(std::uint8_t slot) { result_slot_ = slot; }
  std::uint8_t ReadResult() const;

  // Runs the command in the mailbox with its source, destination and word
  // count.
  void Start(std::uint32_t source, std::uint32_t destination, std::uint32_t words,
             std::uint64_t now_us);
  // Finishes a command whose time has come.
  void RunDue(std::uint64_t now_us);
  std::optional<std::uint64_t> DueAt() const;
  // One byte of the data output port.
  std::uint8_t ReadPort();

 private:
  struct Running {
    std::uint8_t command = 0;
    std::uint32_t source = 0;
    std::uint32_t destination = 0;
    std::size_t bytes = 0;
    std::uint64_t done_us = 0;
  };
  void Finish(const Running& running);
  void Done(const std::array<std::uint8_t, 3>& results);

  FrameMemory& memory_;
  std::uint8_t area_ = 0;
  std::uint8_t position_ = 0;
  std::array<std::uint8_t, 8> control_{};
  std::array<std::uint8_t, 8> parameters_{};
  std::array<std::uint8_t, 8> command_{};
  std::uint8_t result_slot_ = 0;
  std::uint8_t status_ = 0;
  std::array<std::uint8_t, 3> results_{};
  std::optional<Running> running_;
  // The read-out of command 33.
  std::uint32_t port_address_ = 0;
  std::size_t port_remaining_ = 0;
};

}  // namespace card::internal
