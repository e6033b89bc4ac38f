// The folder browser until its file list, thumbnail strip and change
// notifications come: a plain listing of the folder's pictures by name, a
// current entry and marks, enough for the other parts to work on.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "command_line.h"
#include "file_list_access.h"
#include "gallery/app/orsagal.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/window_paint.h"

namespace gallery {

namespace {

using namespace platform;

struct Entry {
  std::string path;
  bool marked = false;
};

std::vector<Entry> entries;
int current = -1;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsPicture(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string extension = Lower(name.substr(dot + 1));
  return extension == "jpg" || extension == "bmp" || extension == "2bp" || extension == "png" ||
         extension == "gif";
}

void List(const std::string& folder) {
  entries.clear();
  WIN32_FIND_DATA data;
  FindHandle find = FindFirstFile(folder + "*.*", &data);
  for (bool more = static_cast<bool>(find); more; more = FindNextFile(find, &data)) {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsPicture(data.cFileName)) {
      entries.push_back({folder + data.cFileName});
    }
  }
  FindClose(find);
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return Lower(a.path) < Lower(b.path); });
  current = static_cast<int>(entries.size()) - 1;
}

}  // namespace

int EntryCount() { return static_cast<int>(entries.size()); }
int CurrentIndex() { return current; }

std::string EntryPath(int index) {
  return index >= 0 && index < EntryCount() ? entries[static_cast<std::size_t>(index)].path : "";
}

std::string CurrentPath() { return entries.empty() ? Gallery().folder : EntryPath(current); }

int FindEntry(const std::string& path) {
  for (int index = 0; index < EntryCount(); ++index) {
    if (Lower(EntryPath(index)) == Lower(path)) return index;
  }
  return -1;
}

bool IsMarked(int index) {
  return index >= 0 && index < EntryCount() && entries[static_cast<std::size_t>(index)].marked;
}

void SetMarked(int index, bool marked) {
  if (index >= 0 && index < EntryCount()) entries[static_cast<std::size_t>(index)].marked = marked;
}

int MarkedCount() {
  return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                        [](const Entry& entry) { return entry.marked; }));
}

std::vector<std::string> MarkedPaths() {
  std::vector<std::string> paths;
  for (const Entry& entry : entries) {
    if (entry.marked) paths.push_back(entry.path);
  }
  return paths;
}

void SetCurrentEntry(HWND browser, int index) {
  if (entries.empty()) return;
  if (index < 0) index = EntryCount() - 1;
  if (index >= EntryCount()) index = 0;
  current = index;
  Gallery().current = EntryPath(current);
  CurrentFileChanged(browser);
}

void BrowseFolder(HWND browser, const std::string& folder, const std::string& path) {
  GalleryState& gallery = Gallery();
  gallery.folder = folder.empty() ? FolderOf(path) : folder;
  List(gallery.folder);
  ++gallery.folder_listings;
  const int wanted = FindEntry(path);
  if (wanted >= 0) current = wanted;
  gallery.current = entries.empty() ? path : EntryPath(current);
  if (browser) CurrentFileChanged(browser);
}

void ListShownFolder(HWND browser) { BrowseFolder(browser, Gallery().folder, Gallery().current); }

void FolderBrowserCommand(HWND, UINT command) { RecordRoute(GalleryPart::kFolderBrowser, command); }

void FolderBrowserKey(HWND, UINT key) { RecordRoute(GalleryPart::kFolderBrowser, key, true); }

void MakeEntryCurrent(HWND browser, WPARAM index) {
  RecordRoute(GalleryPart::kFolderBrowser, kMessageMakeCurrent);
  SetCurrentEntry(browser, static_cast<int>(index));
}

void RefreshCurrentEntry(HWND, UINT message) { RecordRoute(GalleryPart::kFolderBrowser, message); }

std::optional<LRESULT> FolderBrowserMessage(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

// A framed cell; a tap is the cell's command.
LRESULT ThumbnailCellProcedure(HWND cell, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(cell, &paint);
      RECT client;
      GetClientRect(cell, &client);
      HBRUSH brush = CreateSolidBrush(RGB(200, 204, 212));
      FrameRect(dc, &client, brush);
      DeleteObject(brush);
      EndPaint(cell, &paint);
      return 0;
    }
    case WM_LBUTTONUP:
      SendMessage(GetParent(cell), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(cell)), 0),
                  reinterpret_cast<LPARAM>(cell));
      return 0;
    default:
      return DefWindowProc(cell, message, wparam, lparam);
  }
}

}  // namespace gallery
