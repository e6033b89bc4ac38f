// Which picture commands the current file allows: the comment and the
// turns for writable JPEG files, renaming for any writable file, printing
// for the formats the print engine reads.
#pragma once

#include <string>

#include "platform/types.h"
#include "platform/window.h"

namespace gallery {

struct PictureCommandState {
  bool edit_comment = false;  // and both turns
  bool rename = false;
  bool print = false;
};

// `attributes` as the file system gives them; read-only and in-ROM files
// are protected.
PictureCommandState PictureCommandsFor(const std::string& path, platform::DWORD attributes);
bool IsProtected(platform::DWORD attributes);
// "jpg" in any case.
bool HasJpegExtension(const std::string& path);

// Greys or enables the commands in the browser's menu for `path`. Print
// is left alone while no print engine is loaded (it stays greyed).
void EnablePictureCommands(platform::HWND browser, const std::string& path);

}  // namespace gallery
