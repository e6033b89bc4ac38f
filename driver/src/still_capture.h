// Still pictures: the module's capture sequence, and the JPEG file made of
// the driver's 1,515-byte header and the module's compressed data.
#pragma once

#include <string_view>

#include "bus_access.h"
#include "platform/modules.h"

namespace orsadrv {

inline constexpr DWORD kStillHeaderBytes = 1515;

// Runs the capture for the type; returns the compressed byte count, 0 on a
// time-out. With a sound module its "SNAP" sound plays as the capture starts.
DWORD CaptureStill(DWORD device, BYTE type, platform::HMODULE sound_module);
// Writes the file: header plus `byte_count` bytes of module data. Returns
// the bytes written, 0 when the file cannot be created.
DWORD WriteStillFile(DWORD device, BYTE type, DWORD byte_count, std::u16string_view path);
// Builds the header of a capture type into `header` (1,515 bytes); 0 for a
// type without a header.
DWORD BuildStillHeader(DWORD device, BYTE type, BYTE* header);

}  // namespace orsadrv
