// The OBEX sender: pushes one file to the first infrared device in range,
// showing the progress and a log in a small modal dialog.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/handheld.h"
#include "platform/messages.h"

namespace obex {

// The export, by name "OrsaBeam". Copies the path and runs the sending
// dialog over `parent`; returns the dialog's result, 0 when it closes
// normally (the transfer's outcome is only shown in the dialog), -1 when the
// dialog cannot be shown (the resource module is missing). The module
// "orsabeam.dll" must be loaded, as the loader does for a program linking
// it.
// The dialog stays open after the transfer until the user closes it with
// Done (OK) or Cancel; what it showed is kept (LastBeamTranscript).
int OrsaBeam(platform::HWND parent, std::string_view path);
using OrsaBeamFunction = int(platform::HWND, std::string_view);

inline constexpr std::string_view kOrsaBeamPath = "\\Windows\\orsabeam.dll";
inline constexpr std::string_view kOrsaBeamResourcesPath = "\\Windows\\orsabeamres.dll";

// Builds "orsabeam.dll" and "orsabeamres.dll" into the handheld and puts
// their files in "\Windows\". Returns the paths installed.
std::vector<std::string> InstallOrsaBeam(platform::Handheld& handheld);

// What the last OrsaBeam call showed: the status texts in order and the log.
struct BeamTranscript {
  std::vector<std::string> statuses;
  std::vector<std::string> log;
};
BeamTranscript LastBeamTranscript();

}  // namespace obex
