// The resource module "orsabeamres.dll": the sending dialog's template and
// its texts, and the lookups of those texts.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/resources.h"

namespace obex {

using platform::UINT;

// String ids and the format argument each takes.
inline constexpr UINT kStringSearching = 1;
inline constexpr UINT kStringConnected = 2;  // %s: the device's name
inline constexpr UINT kStringLoading = 3;
inline constexpr UINT kStringTitle = 4;
inline constexpr UINT kStringSucceeded = 7;  // %d
inline constexpr UINT kStringFailed = 11;    // %d

// The numbers the worker's outcome is shown with.
inline constexpr int kSucceededArgument = 1;
inline constexpr int kFailedArgument = 666;

inline constexpr UINT kDialogBeam = 101;
inline constexpr UINT kControlLog = 1000;     // list box, hidden at first
inline constexpr UINT kControlStatus = 1001;  // status text
inline constexpr UINT kControlLogSwitch = 1004;

// The string tables' text (resources/strings/*.txt), every language.
extern const char kBeamStringTable[];

// Strings and dialog template of the module; null when the string table
// does not parse, with the reason in *error.
std::shared_ptr<platform::ModuleResources> MakeBeamResources(std::string* error);

// String `id` of the module, empty when it has none.
std::string BeamString(platform::HINSTANCE resources, UINT id);
// String `id` with its one conversion ("%s", or "%d" and the other integer
// ones) filled in. A string with any other set of conversions is shown as it
// stands, so a bad text can never misuse the argument.
std::string FormatBeamString(platform::HINSTANCE resources, UINT id, std::string_view argument);
std::string FormatBeamString(platform::HINSTANCE resources, UINT id, int argument);

}  // namespace obex
