#include "command_enabling.h"

#include <algorithm>
#include <cctype>

#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "platform/files.h"
#include "platform/menu_bar.h"
#include "platform/menus.h"

namespace gallery {

namespace {

using namespace platform;

std::string LowerExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('\\');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

void Enable(HMENU menu, UINT command, bool enabled) {
  EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

bool IsProtected(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_INROM)) != 0;
}

bool HasJpegExtension(const std::string& path) { return LowerExtension(path) == "jpg"; }

PictureCommandState PictureCommandsFor(const std::string& path, DWORD attributes) {
  const std::string extension = LowerExtension(path);
  const bool writable = !IsProtected(attributes);
  return {extension == "jpg" && writable, writable,
          extension == "jpg" || extension == "bmp" || extension == "png"};
}

void EnablePictureCommands(HWND, const std::string& path) {
  HWND menu_bar = Gallery().menu_bar;
  if (!menu_bar) return;
  auto menu = reinterpret_cast<HMENU>(SendMessage(menu_bar, SHCMBM_GETMENU, 0, 0));
  if (!menu) return;
  const PictureCommandState state = PictureCommandsFor(path, GetFileAttributes(path));
  Enable(menu, kCommandEditComment, state.edit_comment);
  Enable(menu, kCommandRotateLeft, state.edit_comment);
  Enable(menu, kCommandRotateRight, state.edit_comment);
  Enable(menu, kCommandRenameItem, state.rename);
  if (Gallery().print_engine) Enable(menu, kCommandPrint, state.print);
}

}  // namespace gallery
