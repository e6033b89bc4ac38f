// The parts the browser hands its commands and messages to, one folder of
// src/ per part: browser/ (file list, thumbnail strip, folder chooser),
// view/ (preview pane, zoom view, histogram, comments, rotation, external
// display), sending/, slideshow/, voice_notes/ and file_operations/. Each
// handler first records the route (RecordRoute) so the routing can be seen.
#pragma once

#include <optional>
#include <string>

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

// Window messages of the browser that a part handles itself (scroll bar,
// timers, the shell's change notifications): nullopt when the message is
// not the part's.
std::optional<platform::LRESULT> FolderBrowserMessage(platform::HWND browser,
                                                      platform::UINT message,
                                                      platform::WPARAM wparam,
                                                      platform::LPARAM lparam);
std::optional<platform::LRESULT> ImageViewMessage(platform::HWND browser, platform::UINT message,
                                                  platform::WPARAM wparam, platform::LPARAM lparam);

// The window procedures of the browser's children: the six thumbnail
// cells (folder browser), the preview pane and the histogram (image view).
platform::LRESULT ThumbnailCellProcedure(platform::HWND cell, platform::UINT message,
                                         platform::WPARAM wparam, platform::LPARAM lparam);
platform::LRESULT PreviewPaneProcedure(platform::HWND pane, platform::UINT message,
                                       platform::WPARAM wparam, platform::LPARAM lparam);
platform::LRESULT HistogramProcedure(platform::HWND histogram, platform::UINT message,
                                     platform::WPARAM wparam, platform::LPARAM lparam);

// Lists `folder` (ending in "\") and makes `current` current; with an empty
// folder the folder of `current` is listed. Renders the strip and brings
// the pane up to date. The folder browser's.
void BrowseFolder(platform::HWND browser, const std::string& folder, const std::string& current);

// Lists the shown folder again, keeping the current file (after the sort
// options changed, or on Refresh).
void ListShownFolder(platform::HWND browser);

// The current file changed (or changed on disk): the pane, its labels, the
// histogram, the picture commands' enabling. The image view's; the folder
// browser calls it.
void CurrentFileChanged(platform::HWND browser);
// After the options sheet: the external display opened or closed and the
// histogram drawn as the General options now ask, for the file shown.
void ViewOptionsApplied(platform::HWND browser);

// Plays the voice note of `picture` when it has one and the options ask
// for it. The voice notes'; the image view calls it on a new current file.
void AutoPlayVoiceNote(platform::HWND browser, const std::string& picture);

}  // namespace gallery
