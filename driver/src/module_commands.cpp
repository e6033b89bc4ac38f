#include "module_commands.h"

#include <array>

#include "platform/time.h"

namespace orsadrv {

namespace {

constexpr BYTE kSourceAddress = 218;       // 218-220
constexpr BYTE kWordCount = 221;           // 221-223
constexpr BYTE kDestinationAddress = 224;  // 224-226
constexpr BYTE kCommandData = 133;
constexpr BYTE kResultSelect = 135;
constexpr BYTE kRunMode = 134;
constexpr BYTE kProgramControl = 132;
constexpr BYTE kProgramAddress = 136;
constexpr BYTE kTransferControl = 144;
constexpr BYTE kInterruptEnable = 166;

enum class CommandKind { kReadOut, kSinglePass, kStatistics, kUnknown };

CommandKind KindOf(BYTE command) {
  switch (command) {
    case 33:
      return CommandKind::kReadOut;
    case 37:
    case 39:
    case 40:
    case 42:
    case 44:
      return CommandKind::kSinglePass;
    case 36:
    case 38:
    case 41:
    case 43:
      return CommandKind::kStatistics;
    default:
      return CommandKind::kUnknown;
  }
}

void Write(DWORD device, BYTE module_register, BYTE value) {
  WriteModuleRegister(device, module_register, value);
}

// The statistics pass's eight parameter bytes: the window and the cell
// sizes of the small (36, 43) and the large (38, 41) measurement.
std::array<BYTE, 8> StatisticsParameters(BYTE command, BYTE parameter) {
  const bool small = command == 36 || command == 43;
  const BYTE p = small ? (parameter == 1 ? 72 : 64) : 128;
  const BYTE q = small ? 1 : 2;
  const BYTE u = small ? 8 : 16;
  return {p, q, 39, 29, u, u, 0, 0};
}

// Source, destination and length of a processing pass.
void WriteTransfer(DWORD device, DWORD destination, DWORD source, DWORD words) {
  WriteModuleRegister24(device, kSourceAddress, source);
  WriteModuleRegister24(device, kDestinationAddress, destination);
  WriteModuleRegister24(device, kWordCount, words);
  Write(device, kTransferControl, 32);
}

// The command and its parameter byte into the program port.
void WriteCommand(DWORD device, BYTE command, BYTE parameter) {
  Write(device, kProgramControl, 3);
  Write(device, kProgramAddress, 0);
  Write(device, kRunMode, 16);
  Write(device, kCommandData, command);
  Write(device, kCommandData, parameter);
}

}  // namespace

int StartModuleCommand(DWORD device, BYTE command, DWORD destination, DWORD source, DWORD length,
                       BYTE parameter) {
  const CommandKind kind = KindOf(command);
  if (kind == CommandKind::kUnknown) return kCommandRefused;
  const DWORD words = (length + 1) / 2;
  BYTE flag = 0;
  switch (kind) {
    case CommandKind::kReadOut:
      Write(device, 105, 4);
      Write(device, 138, 1);
      WriteModuleRegister24(device, kSourceAddress, source);
      WriteModuleRegister24(device, kWordCount, words);
      Write(device, kTransferControl, 32);
      Write(device, 97, 255);
      Write(device, kRunMode, 16);
      Write(device, kCommandData, command);
      break;
    case CommandKind::kSinglePass:
      WriteTransfer(device, destination, source, words);
      WriteCommand(device, command, parameter);
      break;
    case CommandKind::kStatistics:
      WriteTransfer(device, destination, source, words);
      Write(device, kProgramControl, 3);
      Write(device, kProgramAddress, 0);
      Write(device, kRunMode, 1);
      for (BYTE byte : StatisticsParameters(command, parameter)) Write(device, kCommandData, byte);
      WriteCommand(device, command, parameter);
      flag = 1;
      break;
    case CommandKind::kUnknown:
      break;
  }
  // Common tail: idle the program port, then start.
  Write(device, kProgramControl, 0);
  Write(device, kProgramAddress, 0);
  Write(device, kRunMode, 0);
  Write(device, kCommandData, 8);
  Write(device, kCommandData, flag);
  Write(device, kProgramControl, 16);
  return 0;
}

bool WaitForModuleCommand(DWORD device, BYTE command, std::span<BYTE> results) {
  const DWORD limit_ms = command == 37 ? 8 : 121;
  const DWORD started = platform::GetTickCount();
  BYTE status = 0;
  bool done = false;
  for (;;) {
    Write(device, kResultSelect, 19);
    const int value = ReadModuleRegister(device, kCommandData);
    // A card that no longer answers will not finish; and without answers
    // no bus time passes, so the time limit would never be reached.
    if (value < 0) break;
    status = static_cast<BYTE>(value);
    if (status & 1) {
      done = true;
      break;
    }
    if (platform::GetTickCount() - started >= limit_ms) break;
  }
  auto read_result = [device](BYTE select) {
    Write(device, kResultSelect, select);
    const int value = ReadModuleRegister(device, kCommandData);
    return value < 0 ? BYTE{0} : static_cast<BYTE>(value);
  };
  if (command == 33) {
    for (std::size_t i = 0; i < results.size() && i < 3; ++i) {
      results[i] = read_result(static_cast<BYTE>(19 + i));
    }
    Write(device, kTransferControl, 0);
    Write(device, kInterruptEnable, 0);
    Write(device, 97, 0);
    Write(device, 138, 0);
    Write(device, kProgramControl, 0);
    return done;
  }
  if (!results.empty()) results[0] = status;
  if (results.size() > 1) results[1] = read_result(20);
  if (results.size() > 2) results[2] = read_result(21);
  Write(device, kTransferControl, 0);
  Write(device, kInterruptEnable, 0);
  Write(device, kProgramControl, 0);
  return done;
}

}  // namespace orsadrv
