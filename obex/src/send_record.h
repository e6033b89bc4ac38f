// The file being sent: its name, size, time and every byte of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "beam_output.h"
#include "platform/types.h"

namespace obex {

struct SendRecord {
  std::u16string name;  // the part of the path after the last backslash
  platform::DWORD size = 0;
  std::vector<platform::BYTE> body;
  std::u16string time_text;  // the last-write time, "%04d.%02d.%02dT%02d:%02d:%02dZ"
};

enum class LoadOutcome {
  kLoaded,
  kCannotOpen,  // the file is missing or may not be read
  kFailed,      // logged
};

// Reads the file at `path` into *record. A file larger than the Length
// header can say (4 GiB) or than the memory can hold is refused, as is one
// that cannot be read whole; each is logged.
LoadOutcome LoadSendRecord(std::string_view path, BeamOutput& output, SendRecord* record);

// The time text of a file time (UTC).
std::u16string TimeText(const platform::FILETIME& time);

}  // namespace obex
