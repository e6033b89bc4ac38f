// Help: the help program and the shell's help request.
//
// "\Windows\peghelp.exe" (also started as "PegHelp.exe": names do not
// depend on case) shows the topic its command line names
// ("file:Quillon Mobile Camera Help.htm", "orsagal.htc#BROWSE") in a
// full-screen window titled with the command line; OK closes it. The
// emulator builds it in.
#pragma once

#include <string>
#include <string_view>

#include "platform/modules.h"
#include "platform/types.h"

namespace platform {

inline constexpr std::string_view kHelpProgramPath = "\\Windows\\peghelp.exe";
inline constexpr std::string_view kHelpWindowClass = "HelpViewer";

// The help program's entry.
int HelpProgramMain(HINSTANCE instance, const std::string& command_line);

// The help key: posts WM_HELP to the window in front. FALSE when no window
// is active.
BOOL SHSendHelpRequest();

namespace shell {

// What the help window shows for a command line: the help file's title and
// the topic ("BROWSE"), empty when none is named.
struct HelpTopic {
  std::string file;
  std::string title;
  std::string topic;
};
HelpTopic ParseHelpCommandLine(std::string_view command_line);

}  // namespace shell

}  // namespace platform
