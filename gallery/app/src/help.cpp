#include "help.h"

#include "platform/programs.h"

namespace gallery {

void ShowHelp(const char* topic) { platform::CreateProcess("PegHelp.exe", topic); }

}  // namespace gallery
