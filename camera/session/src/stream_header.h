// The header in front of the frames, for the current stream size and zoom.
#pragma once

namespace camera {

// Copies the fitting template into bytes 0..169 of the JPEG buffer.
void CopyHeaderTemplate();

}  // namespace camera
