// The parts the browser hands its commands to, one entry per part. The
// folder browser also takes the keys that move through the list.
#pragma once

#include "command_routes.h"
#include "platform/window.h"

namespace gallery {

void FolderBrowserCommand(platform::HWND browser, platform::UINT command);
void FolderBrowserKey(platform::HWND browser, platform::UINT key);
void ImageViewCommand(platform::HWND browser, platform::UINT command);
void SendingCommand(platform::HWND browser, platform::UINT command);
void SlideshowCommand(platform::HWND browser, platform::UINT command);
void VoiceNoteCommand(platform::HWND browser, platform::UINT command);
void FileOperationCommand(platform::HWND browser, platform::UINT command);

// Messages of the other parts for the folder browser: make entry `index`
// current; the current entry's voice note changed.
void MakeEntryCurrent(platform::HWND browser, platform::WPARAM index);
void RefreshCurrentEntry(platform::HWND browser, platform::UINT message);

// Lists the shown folder again, keeping the current file (after the sort
// options changed, or on Refresh).
void ListShownFolder(platform::HWND browser);

}  // namespace gallery
