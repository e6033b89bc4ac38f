// The walk over a clip's RIFF structure: header list, stream lists, the
// position of the "movi" list, and the "idx1" index. Whatever was read
// before an inconsistency is kept; nothing is read past what the file and
// the enclosing sizes allow.
#pragma once

#include "clip/avi_clip.h"
#include "platform/files.h"

namespace clip {

void ParseClip(const platform::FileHandle& file, AviClip& clip);

}  // namespace clip
