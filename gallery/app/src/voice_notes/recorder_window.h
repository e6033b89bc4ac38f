// The voice-note recorder: a small floating toolbar window "Record" over
// the browser (grip, Record, Stop, Play, Delete, Close) that records, plays
// and deletes the current picture's note. Opened and closed by the
// browser's voice-note button; it follows the current picture.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery {

inline constexpr char kRecorderClass[] = "Record";
inline constexpr platform::UINT kRecorderGrip = 4010;
inline constexpr platform::UINT kRecorderToolbar = 110;
inline constexpr platform::UINT kRecorderRecord = 4020;
inline constexpr platform::UINT kRecorderPlay = 4021;
inline constexpr platform::UINT kRecorderStop = 4022;
inline constexpr platform::UINT kRecorderClose = 4023;
inline constexpr platform::UINT kRecorderDelete = 4024;
// Where the recorder opens, and the band its grip may drag it in.
inline constexpr int kRecorderX = 132;
inline constexpr int kRecorderY = 268;
inline constexpr int kRecorderWidth = 108;
inline constexpr int kRecorderHeight = 26;
inline constexpr int kRecorderTopmostY = 180;

// Opens the recorder for the note `note_path` (empty: Record disabled).
void OpenRecorder(platform::HWND browser, const std::string& note_path);
// Closes it; a recording in progress is written first.
void CloseRecorder();
// At the program's start: a recorder left by a gallery that ended without
// closing it (ended from outside while the recorder was open) is dropped,
// its input device closed and the speaker heard again.
void ForgetLeftRecorder();
// The current picture changed: its note path (empty when it has none). A
// recording in progress is written under the old name first.
void SetRecorderPath(const std::string& note_path);

}  // namespace gallery
