// The sending dialog: template 101 of the resource module, run modally
// over the caller's window while a BeamSession sends the file. The worker's
// status texts and log lines arrive on its own thread; they are queued and
// the dialog's thread shows them. OK and Cancel start the closing thread,
// and the dialog ends once that thread has seen the worker end.
#pragma once

#include <string>

#include "obex/beam_session.h"
#include "platform/dialogs.h"

namespace obex {

// Runs the dialog for `path` and returns its result: 0 when it closed
// normally, -1 when it could not be shown. Everything the dialog shows also
// goes to `transcript`.
platform::INT_PTR RunBeamDialog(platform::HINSTANCE resources, platform::HWND parent,
                                const std::string& path, BeamObserver& transcript);

}  // namespace obex
