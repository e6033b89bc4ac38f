#include "module_data.h"

#include "module_commands.h"

namespace orsadrv {

namespace {
constexpr BYTE kReadOutCommand = 33;
}  // namespace

bool ReadModuleData(DWORD device, DWORD address, DWORD count, BYTE* destination) {
  // Command 33 streams the memory to the data output port; the block reads
  // take it off in 16 KB requests, the tail through the block scratch.
  StartModuleCommand(device, kReadOutCommand, 0, address, count, 0);
  const bool read = BlockRead(device, destination, count) == 0;
  // A failed request ends the read-out early; the command is still waited
  // for so that the command block is idle again.
  WaitForModuleCommand(device, kReadOutCommand, {});
  return read;
}

}  // namespace orsadrv
