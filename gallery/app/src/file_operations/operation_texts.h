// The texts and boxes of the file operations and the voice-note recorder:
// resource strings filled in with a count, a number or a name.
#pragma once

#include <string>

#include "platform/window.h"
#include "view/file_labels.h"  // FileNameOf

namespace gallery {

// String `id` with its one "%d" filled in with `number`.
std::string CountText(platform::UINT id, int number);
// String `id` with its one "%s" filled in with `name`.
std::string NameText(platform::UINT id, const std::string& name);

// A Yes/No box with the exclamation icon; true on Yes.
bool ConfirmBox(platform::HWND owner, const std::string& text, platform::UINT caption);
// An error box (caption 551, exclamation icon).
void ErrorBox(platform::HWND owner, const std::string& text);

}  // namespace gallery
