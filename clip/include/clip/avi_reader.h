// Reading the camera's AVI clips: open (parse and index), seek by frame
// number, and read video frames and sound chunks in order.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "clip/avi_clip.h"

namespace clip {

using AviClipPtr = std::unique_ptr<AviClip>;

// What an opened clip is read for. A player reads frames and sound through
// a handle each; a thumbnail or the clip's information needs no sound, and
// opening the file once more would cost it a good share of its time.
enum class AviReading { kFramesAndSound, kFramesOnly };

// Null only when the file cannot be opened for reading. A file that is no
// usable AVI gives a clip with no frames; a damaged one gives whatever its
// consistent part holds. Opened for frames only, the clip reads no sound.
AviClipPtr AviOpen(std::string_view path, AviReading reading = AviReading::kFramesAndSound);
// Closes the read handles and frees the indexes.
void AviClose(AviClipPtr clip);

// n = 0 or 1 puts both cursors on their first entry. Otherwise the video
// cursor goes to frame n (with a video stream, n must be 1..frame count) and
// the audio cursor to the first sound chunk written after frame n. -1 when n
// is out of range or no sound chunk follows frame n.
int AviSeek(AviClip& clip, DWORD n);

// Reads the entry under the cursor into `buffer` and advances the cursor:
// 0 with the byte count, or -1 past the last entry, when the entry does not
// fit the buffer, or when the file no longer holds it.
int AviReadVideoFrame(AviClip& clip, std::span<std::uint8_t> buffer, DWORD* bytes_read);
int AviReadAudioChunk(AviClip& clip, std::span<std::uint8_t> buffer, DWORD* bytes_read);

}  // namespace clip
