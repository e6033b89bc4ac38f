// The camera's modal dialogs besides its main one: the settings sheet (its
// pages Settings, Setup, File and Video, the option lists and the folder
// chooser) and the About box. Each runs on the user-interface thread with
// the preview stopped; every message box takes the application's title as
// its caption.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/resources.h"
#include "platform/window.h"

namespace camera {

// What the dialogs need of the program that shows them.
struct DialogContext {
  // The program's module: its dialog templates, bitmaps and page captions.
  platform::HINSTANCE instance = nullptr;
  // A help request from any of the dialogs.
  std::function<void()> open_help;
};

// Runs the settings sheet modally over `owner`; true when it was closed with
// OK. Each page that was shown stores its values on OK and nothing on
// Cancel.
bool RunSettingsSheet(platform::HWND owner, const DialogContext& context);

// The folder chooser: the handheld's folders as a tree with `folder`
// expanded and selected. Returns the chosen folder ending with a backslash,
// nothing on Cancel. A folder whose picture names (with `prefix`) would not
// fit the driver's snapshot record is refused.
std::optional<std::string> RunFolderChooser(platform::HWND owner, std::string_view folder,
                                            std::string_view prefix, const DialogContext& context);

// Runs the About box modally over `owner`.
void RunAboutBox(platform::HWND owner, const DialogContext& context);

// Adds the dialog templates of the sheet's pages, the option lists, the
// folder chooser and the About box to the program's resources.
void AddSettingsDialogTemplates(platform::ModuleResources* resources);

}  // namespace camera
