// The stream entry points that carry no card work: open, close, read,
// write, seek, power, and the control-code dispatcher.
#include "control_codes.h"
#include "device_context.h"
#include "driver/orsadrv.h"
#include "platform/last_error.h"

using namespace orsadrv;

void* SIO_Open(void* device_context, DWORD, DWORD) { return device_context; }

BOOL SIO_Close(void*) { return TRUE; }

// No data moves through read, write or seek.
DWORD SIO_Read(void*, void*, DWORD) { return 0; }
DWORD SIO_Write(void*, const void*, DWORD) { return 0; }
DWORD SIO_Seek(void*, LONG, DWORD) { return 0; }

void SIO_PowerUp(void*) {}

// A suspend only leaves a mark: the next IOCTL_SIO_POWER_DOWN must still
// put the module to sleep.
void SIO_PowerDown(void*) { State().suspended = 1; }

BOOL SIO_IOControl(void* open_context, DWORD code, BYTE* input, DWORD input_size, BYTE* output,
                   DWORD output_size, DWORD* bytes_returned) {
  auto* context = static_cast<SioDeviceContext*>(open_context);
  if (!context) {
    platform::SetLastError(platform::ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(context->lock);
  return RunControlCode(*context, code, input, input_size, output, output_size, bytes_returned);
}
