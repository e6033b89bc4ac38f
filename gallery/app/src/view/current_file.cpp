// What the view does each time the browser's current file changes: the
// pane, the labels, the voice note, the histogram, the external display's
// mirror and the picture commands, in that order.
#include "command_enabling.h"
#include "external_display.h"
#include "file_labels.h"
#include "file_list_access.h"
#include "gallery_state.h"
#include "histogram_control.h"
#include "part_commands.h"
#include "preview_pane.h"
#include "wait_cursor.h"

namespace gallery {

void CurrentFileChanged(platform::HWND browser) {
  // An empty list names its folder as the current path.
  const std::string path = EntryCount() > 0 ? CurrentPath() : std::string();
  if (path.empty() || path.back() == '\\') {
    ClearPreviewPane(browser);
    ClearFileLabels(browser);
    AutoPlayVoiceNote(browser, "");
    ClearHistogram(browser);
    EnablePictureCommands(browser, path);
    return;
  }
  WaitCursor wait;
  imaging::ImageInfo info;
  if (!LoadPreviewPane(browser, path, &info)) {
    ShowNameOnly(browser, path);
    AutoPlayVoiceNote(browser, "");
    ClearHistogram(browser);
  } else {
    FollowExternalDisplayOption();
    BrowserExternalDisplay().Mirror(path);
    ShowFileLabels(browser, path, info.width, info.height);
    AutoPlayVoiceNote(browser, path);
    if (Gallery().options.general.show_histogram)
      ComputeHistogram(browser, PreviewPanePixels(), kPaneBackground);
  }
  EnablePictureCommands(browser, path);
}

}  // namespace gallery
