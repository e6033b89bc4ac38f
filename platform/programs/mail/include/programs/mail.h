// The handheld's mail programs. "\Windows\tmail.exe" and
// "\Windows\pmail.exe" both take
//     -attach "PATH"
// and leave a new message, with the file attached, in the outbox folder
// "\My Documents\Outbox\" as one ".eml" file (Internet mail format, MIME,
// the attachment in base64 with its media type and file name). Nothing is
// left when the command line or the file is wrong: the program says why in
// a message box and ends with exit code 1.
#pragma once

#include <string_view>

#include "platform/handheld.h"

namespace platform::programs {

inline constexpr std::string_view kTmailPath = "\\Windows\\tmail.exe";
inline constexpr std::string_view kPmailPath = "\\Windows\\pmail.exe";
inline constexpr std::string_view kOutboxFolder = "\\My Documents\\Outbox";

// Builds the mail programs into the handheld and puts their files in
// "\Windows\"; either may be left out. Returns false when one cannot be.
bool InstallMailPrograms(Handheld& handheld, bool tmail, bool pmail);

}  // namespace platform::programs
