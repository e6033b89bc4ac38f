#include "browser/change_notifications.h"

#include <algorithm>
#include <string>
#include <vector>

#include "browser/file_list.h"
#include "browser/thumbnail_strip.h"
#include "gallery_state.h"
#include "media_calls.h"
#include "part_commands.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/shell_notify.h"
#include "platform/shell_services.h"

namespace gallery {

namespace {

using namespace platform;

// Set when the current file went or changed: the timer re-chooses it.
bool rechoose_current = false;

// Marked pictures that left the list since the timer last fired. A picture
// rewritten in place (turned, commented) is first moved aside and its new
// contents moved in under its name: when it comes back within the same
// burst of notices it is the same picture, and keeps its mark.
std::vector<std::string> marked_gone;

bool IsVoiceNote(const std::string& path) {
  constexpr std::string_view kWav[] = {"wav"};
  return HasListedExtension(path, kWav);
}

bool IsListable(const std::string& path) {
  return HasListedExtension(path, kPictureExtensions) || Plugin().Handles(path);
}

bool IsCurrent(const std::string& path) { return EqualsIgnoreCase(path, Gallery().current); }

// Each returns whether the list or a cell's icons changed. A voice note in
// the listed folder changes its picture's icon.
bool NoteChanged(const std::string& path) {
  FileList& list = Strip().list();
  if (!list.InListedFolder(path)) return false;
  list.VoiceNoteChanged(path);
  return true;
}

bool Created(const std::string& path) {
  FileList& list = Strip().list();
  if (IsVoiceNote(path)) return NoteChanged(path);
  if (!IsListable(path)) return false;
  const int index = list.Add(path);
  if (index < 0) return false;
  auto gone = std::find_if(marked_gone.begin(), marked_gone.end(), [&](const std::string& marked) {
    return EqualsIgnoreCase(marked, path);
  });
  if (gone != marked_gone.end()) {
    list.SetMarked(index, true);
    marked_gone.erase(gone);
  }
  return true;
}

bool Deleted(const std::string& path) {
  FileList& list = Strip().list();
  if (IsVoiceNote(path)) return NoteChanged(path);
  const int index = list.Find(path);
  if (index >= 0 && list.IsMarked(index)) marked_gone.push_back(path);
  if (!list.Remove(path)) return false;
  if (IsCurrent(path)) rechoose_current = true;
  return true;
}

// A picture turned or commented is rewritten in place, and a renamed one
// is the same picture: its mark stays, so that a later Move or Delete of
// the marked pictures still takes it.
void KeepMark(FileList& list, bool marked, const std::string& path) {
  const int index = list.Find(path);
  if (marked && index >= 0) list.SetMarked(index, true);
}

bool WasMarked(const FileList& list, const std::string& path) {
  const int index = list.Find(path);
  return index >= 0 && list.IsMarked(index);
}

bool Updated(const std::string& path) {
  FileList& list = Strip().list();
  if (IsVoiceNote(path)) return NoteChanged(path);
  const bool marked = WasMarked(list, path);
  if (list.Find(path) < 0 || !list.Remove(path)) return false;
  list.Add(path);
  KeepMark(list, marked, path);
  if (IsCurrent(path)) rechoose_current = true;
  return true;
}

bool Renamed(const std::string& from, const std::string& to) {
  const bool was_current = IsCurrent(from);
  const bool marked = WasMarked(Strip().list(), from);
  bool changed = Deleted(from);
  changed = Created(to) || changed;
  KeepMark(Strip().list(), marked, to);
  if (was_current) {
    Gallery().current = to;
    rechoose_current = true;
  }
  return changed;
}

std::string DocumentsFolder() { return SpecialFolderPath(CSIDL_PERSONAL).value_or("") + "\\"; }

void DriveRemoved(HWND browser, const std::string& drive) {
  if (StartsWithIgnoreCase(Gallery().current, drive))
    BrowseFolder(browser, DocumentsFolder(), DocumentsFolder());
}

void DriveAdded(HWND browser, const std::string& drive) {
  if (!Gallery().options.file.open_card_pictures) return;
  const std::string pictures = drive + "\\DCIM\\";
  const DWORD attributes = GetFileAttributes(pictures.substr(0, pictures.size() - 1));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    BrowseFolder(browser, pictures, pictures);
}

// The current entry's index follows its path through the changes (or stays
// at its place, clamped, when the file went).
void KeepCurrentIndex() {
  ThumbnailStrip& strip = Strip();
  const int found = strip.list().Find(Gallery().current);
  if (found >= 0) {
    strip.SetCurrent(found);
  } else {
    strip.ClampCurrent();
  }
}

void HandleChange(HWND browser, const FILECHANGEINFO& change) {
  bool changed = false;
  switch (change.wEventId) {
    case SHCNE_CREATE:
      changed = Created(change.dwItem1);
      break;
    case SHCNE_DELETE:
      changed = Deleted(change.dwItem1);
      break;
    case SHCNE_RENAMEITEM:
      changed = Renamed(change.dwItem1, change.dwItem2);
      break;
    case SHCNE_UPDATEITEM:
      changed = Updated(change.dwItem1);
      break;
    case SHCNE_DRIVEREMOVED:
      DriveRemoved(browser, change.dwItem1);
      return;
    case SHCNE_DRIVEADD:
      DriveAdded(browser, change.dwItem1);
      return;
    default:
      return;
  }
  if (!changed) return;
  KeepCurrentIndex();
  SetTimer(browser, kChangeTimer, kChangeDelayMs, nullptr);
}

void TimerFired(HWND browser) {
  KillTimer(browser, kChangeTimer);
  marked_gone.clear();
  KeepCurrentIndex();
  ThumbnailStrip& strip = Strip();
  if (rechoose_current) {
    rechoose_current = false;
    strip.RenderAroundCurrent();
    Gallery().current = strip.CurrentPath();
    CurrentFileChanged(browser);
  } else {
    strip.Render(strip.top());
  }
}

}  // namespace

void StartChangeNotifications(HWND browser) {
  if (!browser) return;
  SHCHANGENOTIFYENTRY entry;
  entry.dwEventMask = SHCNE_ALLEVENTS;
  entry.fRecursive = TRUE;
  SHChangeNotifyRegister(browser, &entry);
}

void StopChangeNotifications(HWND browser) {
  if (browser) SHChangeNotifyDeregister(browser);
  rechoose_current = false;
  marked_gone.clear();
}

std::optional<LRESULT> ChangeNotificationMessage(HWND browser, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
  if (message == WM_FILECHANGEINFO) {
    auto* notify = reinterpret_cast<FILECHANGENOTIFY*>(lparam);
    if (notify) {
      HandleChange(browser, notify->fci);
      SHChangeNotifyFree(notify);
    }
    return 0;
  }
  if (message == WM_TIMER && wparam == kChangeTimer) {
    TimerFired(browser);
    return 0;
  }
  return std::nullopt;
}

}  // namespace gallery
