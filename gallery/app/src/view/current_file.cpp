// What the view does each time the browser's current file changes: the
// pane, the labels, the voice note, the histogram, the external display's
// mirror and the picture commands, in that order; and what it redoes at
// once when the options sheet closes.
#include "command_enabling.h"
#include "external_display.h"
#include "file_labels.h"
#include "file_list_access.h"
#include "gallery_state.h"
#include "histogram_control.h"
#include "part_commands.h"
#include "platform/cursor.h"
#include "platform/files.h"
#include "preview_pane.h"

namespace gallery {

namespace {

// An empty path or a folder (an empty folder is being shown).
bool NamesNoFile(const std::string& path) {
  if (path.empty() || path.back() == '\\') return true;
  const platform::DWORD attributes = platform::GetFileAttributes(path);
  return attributes != platform::INVALID_FILE_ATTRIBUTES &&
         (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The file the pane shows a picture of; empty when it shows none.
std::string& PaneFile() {
  static std::string path;
  return path;
}

}  // namespace

void CurrentFileChanged(platform::HWND browser) {
  PaneFile().clear();
  // With an empty list the browser's current path may still name the file
  // it was asked to show, or else the folder.
  const std::string path = EntryCount() > 0 ? CurrentPath() : Gallery().current;
  if (NamesNoFile(path)) {
    ClearPreviewPane(browser);
    ClearFileLabels(browser);
    AutoPlayVoiceNote(browser, "");
    ClearHistogram(browser);
    EnablePictureCommands(browser, path);
    return;
  }
  platform::WaitCursor wait;
  imaging::ImageInfo info;
  if (!LoadPreviewPane(browser, path, &info)) {
    ShowNameOnly(browser, path);
    AutoPlayVoiceNote(browser, "");
    ClearHistogram(browser);
  } else {
    PaneFile() = path;
    FollowExternalDisplayOption();
    BrowserExternalDisplay().Mirror(path);
    ShowFileLabels(browser, path, info.width, info.height);
    AutoPlayVoiceNote(browser, path);
    if (Gallery().options.general.show_histogram)
      ComputeHistogram(browser, PreviewPanePixels(), kPaneBackground);
  }
  EnablePictureCommands(browser, path);
}

void ViewOptionsApplied(platform::HWND browser) {
  const bool was_open = BrowserExternalDisplay().is_open();
  FollowExternalDisplayOption();
  if (PaneFile().empty()) return;
  if (!was_open) BrowserExternalDisplay().Mirror(PaneFile());
  if (Gallery().options.general.show_histogram)
    ComputeHistogram(browser, PreviewPanePixels(), kPaneBackground);
}

}  // namespace gallery
