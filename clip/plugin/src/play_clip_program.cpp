// "\Windows\playclip.exe PATH": plays one clip through the plug-in, loaded
// by name as the gallery loads it, so that the player can be tried (and
// shown in the demo) on its own.
#include <span>

#include "clip/install.h"
#include "clip/orsaclip.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/programs.h"

namespace clip {

namespace {

std::string Unquoted(std::string text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

int PlayClipMain(platform::HINSTANCE /*instance*/, const std::string& command_line) {
  platform::HMODULE plugin = platform::LoadLibrary(kModuleName);
  auto* display =
      plugin ? platform::GetProcAddressAs<MediaDisplayFunction>(plugin, kMediaDisplayExport)
             : nullptr;
  if (!display) {
    platform::MessageBox(nullptr, "The clip plug-in is missing.", "playclip",
                         platform::MB_ICONERROR);
    if (plugin) platform::FreeLibrary(plugin);
    return 1;
  }
  display(Unquoted(command_line).c_str());
  platform::FreeLibrary(plugin);
  return 0;
}

}  // namespace

bool InstallPlayClipProgram(platform::Handheld& handheld, std::string* error) {
  handheld.programs().Register(kPlayClipProgramPath, PlayClipMain);
  const std::string marker = std::string("built-in program ") + kPlayClipProgramPath + "\n";
  if (!handheld.files().InstallFile(kPlayClipProgramPath, std::as_bytes(std::span(marker)))) {
    if (error) *error = "playclip.exe: cannot write its file";
    return false;
  }
  return true;
}

}  // namespace clip
