// The ways the current file leaves the gallery, one file each: mail, beam,
// OBEX push, the Send entries, printing and clipboard copies. Each takes a
// path that SendingCommand has checked names an existing file.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery::sending {

void SendByMail(const std::string& path);
void Beam(platform::HWND browser, const std::string& path);
void PushWithObex(platform::HWND browser, const std::string& path);
void RunSendEntry(platform::HWND browser, platform::UINT command, const std::string& path);
void Print(platform::HWND browser, const std::string& path);
// `per_mille` of the picture's size, or its own size for 0.
void CopyToClipboard(platform::HWND browser, const std::string& path, int per_mille);

}  // namespace gallery::sending
