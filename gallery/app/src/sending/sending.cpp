// The browser's sending commands: each first makes sure the current path
// names an existing file, not a folder, and otherwise does nothing.
#include "sending.h"

#include "file_list_access.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/files.h"

namespace gallery {

namespace {

bool IsExistingFile(const std::string& path) {
  if (path.empty()) return false;
  const platform::DWORD attributes = platform::GetFileAttributes(path);
  return attributes != platform::INVALID_FILE_ATTRIBUTES &&
         (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

void SendingCommand(platform::HWND browser, platform::UINT command) {
  RecordRoute(GalleryPart::kSending, command);
  const std::string path = CurrentPath();
  if (!IsExistingFile(path)) return;
  switch (command) {
    case kCommandMail:
      sending::SendByMail(path);
      return;
    case kCommandBeam:
      sending::Beam(browser, path);
      return;
    case kCommandSendObex:
      sending::PushWithObex(browser, path);
      return;
    case kCommandPrint:
      sending::Print(browser, path);
      return;
    case kCommandClipboard125:
      sending::CopyToClipboard(browser, path, 125);
      return;
    case kCommandClipboard250:
      sending::CopyToClipboard(browser, path, 250);
      return;
    case kCommandClipboard500:
      sending::CopyToClipboard(browser, path, 500);
      return;
    case kCommandClipboardActual:
      sending::CopyToClipboard(browser, path, 0);
      return;
    default:
      if (command >= kCommandFirstSendEntry && command <= kCommandLastSendEntry) {
        sending::RunSendEntry(browser, command, path);
      }
      return;
  }
}

}  // namespace gallery
