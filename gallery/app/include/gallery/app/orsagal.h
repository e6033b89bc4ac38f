// The gallery program "\Windows\orsagal.exe": its entry, the messages other
// programs and the gallery's own parts send its windows, and its
// installation into a handheld.
#pragma once

#include <string>

#include "platform/handheld.h"
#include "platform/messages.h"
#include "platform/modules.h"

namespace gallery {

inline constexpr char kGalleryProgramPath[] = "\\Windows\\orsagal.exe";
inline constexpr char kTopWindowClass[] = "orsagal";
inline constexpr char kBrowserClass[] = "TovrinReview";

// To either window: read "Path" from the registry and browse it.
inline constexpr platform::UINT kMessageBrowsePath = platform::WM_APP + 1;
// To the browser: make file number wParam current (the zoom view and the
// slideshow, when they close).
inline constexpr platform::UINT kMessageMakeCurrent = platform::WM_USER + 101;
// To the browser: the voice-note recorder closed (release its button).
inline constexpr platform::UINT kMessageRecorderClosed = 0x8084;
// To the browser: the current voice note was recorded / deleted.
inline constexpr platform::UINT kMessageVoiceNoteRecorded = 0x8085;
inline constexpr platform::UINT kMessageVoiceNoteDeleted = 0x8086;

// The program's entry: the whole command line is one path.
int GalleryMain(platform::HINSTANCE instance, const std::string& command_line);

// Builds the program (linking "orsabeam.dll") and its resource library
// "orsagalres.dll" into the handheld and puts their files in "\Windows\".
// False with the reason when it cannot.
bool InstallGallery(platform::Handheld& handheld, std::string* error = nullptr);

}  // namespace gallery
