// The program the module's processor runs. Its code is the module's own
// business; the driver only uploads these 1,620 bytes after every reset.
// This image is made for this kit: a header naming it, then its code words.
#include <array>
#include <cstring>

#include "data_port.h"

namespace orsadrv {

namespace {

constexpr std::array<BYTE, kModuleProgramBytes> MakeProgram() {
  std::array<BYTE, kModuleProgramBytes> program{};
  constexpr char kHeader[] = "ORSA-MODULE-PROGRAM 1.0";
  std::size_t at = 0;
  for (; kHeader[at] != '\0'; ++at) program[at] = static_cast<BYTE>(kHeader[at]);
  // Code words, then a 16-bit sum of everything before it in the last two
  // bytes so a damaged image is recognisable.
  std::uint32_t word = 0x2F6B1D35;
  for (; at < kModuleProgramBytes - 2; ++at) {
    word = word * 1664525u + 1013904223u;
    program[at] = static_cast<BYTE>(word >> 24);
  }
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < kModuleProgramBytes - 2; ++i)
    sum = static_cast<std::uint16_t>(sum + program[i]);
  program[kModuleProgramBytes - 2] = static_cast<BYTE>(sum);
  program[kModuleProgramBytes - 1] = static_cast<BYTE>(sum >> 8);
  return program;
}

constexpr std::array<BYTE, kModuleProgramBytes> kProgram = MakeProgram();

}  // namespace

std::span<const BYTE, kModuleProgramBytes> ModuleProgram() { return kProgram; }

}  // namespace orsadrv
