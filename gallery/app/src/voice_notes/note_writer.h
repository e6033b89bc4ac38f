// A recorded voice note on disk: the format record the input device takes
// for the working format, and the WAVE file written in one go when the
// recording ends.
#pragma once

#include <span>
#include <string>

#include "gallery/options/gallery_options.h"
#include "platform/wave.h"

namespace gallery {

// PCM (18 bytes) from the working format's channels, rate and bits, or
// GSM 6.10 (20 bytes: one channel at 8,000 Hz, 65-byte blocks of 320
// samples).
platform::GSM610WAVEFORMAT NoteFormatRecord(const AudioOptions& audio);

// Writes `data` as the WAVE file `path` (46 bytes before PCM data, 48
// before GSM 6.10). The file is written beside the note first and only
// then takes the note's name, so a write that fails part way (volume full,
// card pulled) removes what it wrote and leaves an earlier note whole.
// False with the platform's error number when nothing was saved.
bool WriteVoiceNote(const std::string& path, const platform::GSM610WAVEFORMAT& format,
                    std::span<const platform::BYTE> data, platform::DWORD* error);

}  // namespace gallery
