#include "module_commands.h"

#include <array>

#include "platform/time.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::module;

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

// The statistics pass's eight parameter bytes: the window and the cell
// sizes of the small (36, 43) and the large (38, 41) measurement.
std::array<BYTE, 8> StatisticsParameters(BYTE command, BYTE parameter) {
  const bool small = command == 36 || command == 43;
  const BYTE p = small ? (parameter == 1 ? 72 : 64) : 128;
  const BYTE q = small ? 1 : 2;
  const BYTE u = small ? 8 : 16;
  return {p, q, 39, 29, u, u, 0, 0};
}

// Memory read-out (33) puts the port in read-out mode first.
constexpr RegisterValue kReadOutStart[] = {{kReadOutMode, 4}, {kReadOutSelect, 1}};
// The program port opened on the parameter area and the command area.
constexpr RegisterValue kParameterPort[] = {
    {kProcessorControl, kProcessorCommand}, {kMailboxPosition, 0}, {kMailboxArea, kParameterArea}};
constexpr RegisterValue kCommandPort[] = {
    {kProcessorControl, kProcessorCommand}, {kMailboxPosition, 0}, {kMailboxArea, kCommandArea}};
// After the command: the port idles on the control area.
constexpr RegisterValue kControlPort[] = {
    {kProcessorControl, kProcessorIdle}, {kMailboxPosition, 0}, {kMailboxArea, kControlArea}};
// What a finished command leaves behind is cleared.
constexpr RegisterValue kReadOutDone[] = {{kTransferControl, 0},
                                          {kLevelsEnables, 0},
                                          {kReadOutPort, 0},
                                          {kReadOutSelect, 0},
                                          {kProcessorControl, kProcessorIdle}};
constexpr RegisterValue kPassDone[] = {
    {kTransferControl, 0}, {kLevelsEnables, 0}, {kProcessorControl, kProcessorIdle}};

// Source, destination and length of a processing pass.
void WriteTransfer(BusSequence& run, DWORD destination, DWORD source, DWORD words) {
  run.WriteModule24(kCommandSource, source);
  run.WriteModule24(kCommandDestination, destination);
  run.WriteModule24(kCommandWords, words);
  run.WriteModule(kTransferControl, 32);
}

// The command and its parameter byte into the command area.
void WriteCommand(BusSequence& run, BYTE command, BYTE parameter) {
  run.WriteModules(kCommandPort);
  run.WriteModule(kMailboxData, command);
  run.WriteModule(kMailboxData, parameter);
}

}  // namespace

int StartModuleCommand(DWORD device, BYTE command, DWORD destination, DWORD source, DWORD length,
                       BYTE parameter) {
  const CommandKind kind = KindOf(command);
  if (kind == CommandKind::kUnknown) return kCommandRefused;
  const DWORD words = (length + 1) / 2;
  BusSequence run(device);
  BYTE flag = 0;
  switch (kind) {
    case CommandKind::kReadOut:
      run.WriteModules(kReadOutStart);
      run.WriteModule24(kCommandSource, source);
      run.WriteModule24(kCommandWords, words);
      run.WriteModule(kTransferControl, 32);
      run.WriteModule(kReadOutPort, 255);
      run.WriteModule(kMailboxArea, kCommandArea);
      run.WriteModule(kMailboxData, command);
      break;
    case CommandKind::kSinglePass:
      WriteTransfer(run, destination, source, words);
      WriteCommand(run, command, parameter);
      break;
    case CommandKind::kStatistics:
      WriteTransfer(run, destination, source, words);
      run.WriteModules(kParameterPort);
      for (BYTE byte : StatisticsParameters(command, parameter))
        run.WriteModule(kMailboxData, byte);
      WriteCommand(run, command, parameter);
      flag = 1;
      break;
    case CommandKind::kUnknown:
      break;
  }
  // The control area says whether results are wanted, then start.
  run.WriteModules(kControlPort);
  run.WriteModule(kMailboxData, 8);
  run.WriteModule(kMailboxData, flag);
  run.WriteModule(kProcessorControl, kProcessorStart);
  return run.result();
}

bool WaitForModuleCommand(DWORD device, BYTE command, std::span<BYTE> results) {
  const DWORD limit_ms = command == 37 ? 8 : 121;
  const DWORD started = platform::GetTickCount();
  BusSequence run(device);
  BYTE status = 0;
  bool done = false;
  for (;;) {
    run.WriteModule(kResultSlot, kStatusSlot);
    const int value = run.ReadModule(kMailboxData);
    // A card that no longer answers will not finish; and without answers
    // no bus time passes, so the time limit would never be reached.
    if (value < 0) break;
    status = static_cast<BYTE>(value);
    if (status & kCommandDone) {
      done = true;
      break;
    }
    if (platform::GetTickCount() - started >= limit_ms) break;
  }
  auto read_result = [&run](BYTE slot) {
    run.WriteModule(kResultSlot, slot);
    const int value = run.ReadModule(kMailboxData);
    return value < 0 ? BYTE{0} : static_cast<BYTE>(value);
  };
  if (command == 33) {
    for (std::size_t i = 0; i < results.size() && i < 3; ++i) {
      results[i] = read_result(static_cast<BYTE>(kStatusSlot + i));
    }
    run.WriteModules(kReadOutDone);
    return done;
  }
  if (!results.empty()) results[0] = status;
  if (results.size() > 1) results[1] = read_result(kSecondResultSlot);
  if (results.size() > 2) results[2] = read_result(kThirdResultSlot);
  run.WriteModules(kPassDone);
  return done;
}

}  // namespace orsadrv
