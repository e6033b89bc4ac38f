// The control codes the camera application drives the card with, and
// the preview tick that runs between them on the application's thread.
#pragma once

#include "device_context.h"

namespace orsadrv {

// Runs one control code under the driver lock the caller holds. FALSE with
// last error 87 for an unknown code.
BOOL RunControlCode(SioDeviceContext& context, DWORD code, BYTE* input, DWORD input_size,
                    BYTE* output, DWORD output_size, DWORD* bytes_returned);

// The 30 ms preview timer's work.
void PreviewTick();

// Removal, on whatever thread it runs: ends the stream once a tick under way
// has finished, so no tick after it touches the card or posts a frame.
void EndStreamForRemoval();

}  // namespace orsadrv
