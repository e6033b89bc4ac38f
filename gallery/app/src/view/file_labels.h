// The two labels under the preview pane: the file name with its size, and
// the date, time and pixel size of the picture.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"
#include "platform/window.h"

namespace gallery {

// "name (812b)" below 1024 bytes, else "name (1.5k)".
std::string NameWithSize(const std::string& name, std::uint64_t size);
// "<date> 12:05am 640x480": the hour on a 12-hour clock, 0 shown as 12.
std::string DateLine(const std::string& date, int hour, int minute, int width, int height);

// Fills both labels for `path`, whose picture is `width` x `height`: the
// date in the system's short-date form, of the last write (or of the
// creation when the file has no write time), in local time.
void ShowFileLabels(platform::HWND browser, const std::string& path, int width, int height);
// Label 1107 names the file alone, label 1108 is empty (the picture could
// not be read).
void ShowNameOnly(platform::HWND browser, const std::string& path);
void ClearFileLabels(platform::HWND browser);

}  // namespace gallery
