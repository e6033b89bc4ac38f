// The folder browser's entries: browsing a folder, the file list as the
// other parts read it, and the browser's commands and keys for the strip.
#include <string>
#include <vector>

#include "browser/change_notifications.h"
#include "browser/folder_chooser.h"
#include "browser/thumbnail_strip.h"
#include "file_list_access.h"
#include "gallery/app/orsagal.h"
#include "gallery/file_types/voice_note.h"
#include "gallery/resources/commands.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/controls/scroll_bar.h"
#include "platform/cursor.h"
#include "platform/menu_bar.h"
#include "platform/menus.h"
#include "platform/paths.h"
#include "resource_texts.h"

namespace gallery {

namespace {

using namespace platform;

ListOrder OrderFromOptions() {
  const FileOptions& file = Gallery().options.file;
  return ListOrder{file.sort_key, file.sort_ascending != 0, file.include_subfolders != 0};
}

// The gallery's idea of the current file follows the strip's.
void CurrentChanged(HWND browser) {
  Gallery().current = Strip().CurrentPath();
  if (browser) CurrentFileChanged(browser);
}

void ChooseAnotherFolder(HWND browser) {
  std::string folder = Gallery().folder;
  const std::string title = ResourceText(kStringChooseFolder);
  if (!ChooseFolder(browser, title, title, folder)) return;
  if (EqualsIgnoreCase(folder, Gallery().folder)) return;
  BrowseFolder(browser, folder, folder);
}

void CheckRangeMarking(bool on) {
  if (!Gallery().menu_bar) return;
  HMENU menu =
      reinterpret_cast<HMENU>(SendMessage(Gallery().menu_bar, SHCMBM_GETSUBMENU, 0, kMenuTools));
  if (menu) CheckMenuItem(menu, kCommandMarkRange, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

int EntryCount() { return Strip().count(); }
int CurrentIndex() { return Strip().current(); }
std::string EntryPath(int index) { return Strip().list().Path(index); }
std::string CurrentPath() {
  return Strip().count() == 0 ? Gallery().folder : Strip().CurrentPath();
}
int FindEntry(const std::string& path) { return Strip().list().Find(path); }
bool IsMarked(int index) { return Strip().list().IsMarked(index); }

void SetMarked(int index, bool marked) {
  Strip().list().SetMarked(index, marked);
  Strip().RedrawMarks();
}

int MarkedCount() { return Strip().list().MarkedCount(); }
std::vector<std::string> MarkedPaths() { return Strip().list().MarkedPaths(); }

void SetCurrentEntry(HWND browser, int index) {
  if (Strip().count() == 0) return;
  Strip().SetCurrent(index);
  CurrentChanged(browser);
}

void BrowseFolder(HWND browser, const std::string& folder, const std::string& path) {
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  StopChangeNotifications(browser);
  GalleryState& gallery = Gallery();
  // A folder is listed as it is (with its final "\" added when missing);
  // otherwise the folder part of the path.
  std::string listed = folder.empty() ? path : folder;
  if (!folder.empty() && folder.back() != '\\') listed += '\\';
  Strip().List(listed, OrderFromOptions(), path);
  gallery.folder = Strip().list().folder();
  ++gallery.folder_listings;
  CurrentChanged(browser);
  StartChangeNotifications(browser);
  SetCursor(previous);
}

void ListShownFolder(HWND browser) { BrowseFolder(browser, Gallery().folder, Gallery().current); }

void FolderBrowserCommand(HWND browser, UINT command) {
  RecordRoute(GalleryPart::kFolderBrowser, command);
  ThumbnailStrip& strip = Strip();
  if (command >= kCommandFirstCell && command <= kCommandLastCell) {
    const int cell = static_cast<int>(command - kCommandFirstCell);
    if (strip.Tap(cell, strip.TakeCornerFlag(cell))) CurrentChanged(browser);
    return;
  }
  switch (command) {
    case kButtonFolder:
    case kCommandChooseFolder:
      ChooseAnotherFolder(browser);
      break;
    case kCommandRefresh:
      ListShownFolder(browser);
      break;
    case kCommandMarkRange:
      strip.SetRangeMarking(!strip.range_marking());
      CheckRangeMarking(strip.range_marking());
      break;
    case kCommandMarkAll:
      strip.MarkAll(true);
      break;
    case kCommandUnmarkAll:
      strip.MarkAll(false);
      break;
    default:
      break;
  }
}

void FolderBrowserKey(HWND browser, UINT key) {
  RecordRoute(GalleryPart::kFolderBrowser, key, true);
  ThumbnailStrip& strip = Strip();
  if (key == 'M') {
    strip.ToggleMarkOfCurrent();
    return;
  }
  if (strip.count() == 0) return;
  switch (key) {
    case VK_PRIOR:
      SetCurrentEntry(browser, strip.current() - kStripCells);
      break;
    case VK_NEXT:
      SetCurrentEntry(browser, strip.current() + kStripCells);
      break;
    case VK_HOME:
      SetCurrentEntry(browser, 0);
      break;
    case VK_END:
      SetCurrentEntry(browser, strip.count() - 1);
      break;
    case VK_LEFT:
    case VK_UP:
      SetCurrentEntry(browser, strip.current() - 1);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      SetCurrentEntry(browser, strip.current() + 1);
      break;
    default:
      break;
  }
}

// The scroll bar's requests, the change notifications and their timer.
std::optional<LRESULT> FolderBrowserMessage(HWND browser, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  if (message != WM_HSCROLL) return ChangeNotificationMessage(browser, message, wparam, lparam);
  ThumbnailStrip& strip = Strip();
  switch (LOWORD(wparam)) {
    case SB_LINEUP:
    case SB_PAGEUP:
      strip.ScrollBack();
      break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      strip.ScrollForward();
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      strip.ScrollToRow(static_cast<short>(HIWORD(wparam)));
      break;
    default:
      break;
  }
  return 0;
}

void MakeEntryCurrent(HWND browser, WPARAM index) {
  RecordRoute(GalleryPart::kFolderBrowser, kMessageMakeCurrent);
  SetCurrentEntry(browser, static_cast<int>(index));
}

void RefreshCurrentEntry(HWND browser, UINT message) {
  RecordRoute(GalleryPart::kFolderBrowser, message);
  Strip().list().VoiceNoteChanged(VoiceNotePath(Gallery().current));
  Strip().Render(Strip().top());
  CurrentChanged(browser);
}

}  // namespace gallery
