// The request record the driver captures a picture from: which capture
// type, the quality, the file to write and the module whose "SNAP" sound it
// plays.
#pragma once

#include <string_view>

#include "platform/modules.h"

namespace orsadrv {
struct SioSnapshotRequest;
}

namespace camera {

// Characters of a picture path the record holds, without its terminator.
inline constexpr std::size_t kSnapshotPathLimit = 100;

// The capture type of a picture at still size `resolution`: by the zoom
// level, the zoomed still size while zoomed.
int SnapshotCaptureType(int resolution);

// Fills the whole record for a picture at `path` (UTF-8). The sound module
// is `sound_module` when `recordwithaudio` and `camera sound` are both on,
// else none. False, with the record untouched, when the path does not fit.
bool FillSnapshotRequest(int capture_type, std::string_view path, platform::HMODULE sound_module,
                         orsadrv::SioSnapshotRequest* request);

}  // namespace camera
