// Sounds: a WAV file or a module's WAVE resource played whole, the way the
// handheld plays its clicks and chimes. Built on the wave output device.
#pragma once

#include <string_view>

#include "platform/modules.h"
#include "platform/types.h"

namespace platform {

inline constexpr DWORD SND_SYNC = 0x00000000;
inline constexpr DWORD SND_ASYNC = 0x00000001;      // return at once, play on
inline constexpr DWORD SND_NODEFAULT = 0x00000002;  // silence when the sound is missing
inline constexpr DWORD SND_MEMORY = 0x00000004;     // the name points at a WAV image
inline constexpr DWORD SND_LOOP = 0x00000008;
inline constexpr DWORD SND_NOSTOP = 0x00000010;  // fail rather than stop a playing sound
inline constexpr DWORD SND_FILENAME = 0x00020000;
inline constexpr DWORD SND_RESOURCE = 0x00040004;

// Plays `sound` (a handheld path with SND_FILENAME, a WAVE resource name of
// `module` with SND_RESOURCE). An empty name stops whatever is playing.
// Without SND_NODEFAULT a missing sound plays the default sound.
BOOL PlaySound(std::string_view sound, HMODULE module, DWORD flags);

}  // namespace platform
