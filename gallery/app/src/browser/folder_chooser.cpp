// The folder chooser "DirTree": a full-screen popup over its owner with a
// label naming the selected folder and a tree of the handheld's folders
// read as the user opens them, run in its own message loop until it is
// gone. Folders can be made, renamed (by editing a label) and removed;
// each failure is reported from the error table and leaves the tree as it
// was.
#include "browser/folder_chooser.h"

#include <memory>
#include <string>

#include "browser/folder_operations.h"
#include "gallery/resources/commands.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "platform/common_controls.h"
#include "platform/common_controls/registration.h"
#include "platform/common_controls/tree_view.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/image_list.h"
#include "platform/menu_bar.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/modal_loop.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/shell_dialog.h"
#include "platform/shell_state.h"
#include "resource_texts.h"
#include "window_class.h"

namespace gallery {

namespace {

using namespace platform;

constexpr char kChooserClass[] = "DirTree";
constexpr int kTree = 101;
constexpr int kLabel = 102;
constexpr int kLabelHeight = 20;
constexpr int kMenuBarHeight = 26;
constexpr int kRootImage = 0;
constexpr int kFolderImage = 1;
constexpr int kOpenFolderImage = 2;

struct Chooser {
  std::string label_prefix;
  std::string start;
  std::string chosen;
  bool done = false;
  bool gone = false;
  HWND window = nullptr;
  HWND tree = nullptr;
  HWND label = nullptr;
  HWND menu_bar = nullptr;
  HIMAGELIST images = nullptr;
};

// The chooser running now (it is modal: one at a time).
Chooser* running = nullptr;

std::string DeviceName() {
  std::optional<std::string> name =
      Handheld::Current().registry().GetString(HKEY_LOCAL_MACHINE, "Ident", "Name");
  if (!name || name->empty()) return "Pocket PC";
  return name->substr(0, 32);
}

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessage(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}
HTREEITEM Root(HWND tree) { return Next(tree, TVGN_ROOT, nullptr); }
HTREEITEM Selected(HWND tree) { return Next(tree, TVGN_CARET, nullptr); }
HTREEITEM Parent(HWND tree, HTREEITEM item) { return Next(tree, TVGN_PARENT, item); }
HTREEITEM FirstChild(HWND tree, HTREEITEM item) { return Next(tree, TVGN_CHILD, item); }
HTREEITEM NextSibling(HWND tree, HTREEITEM item) { return Next(tree, TVGN_NEXT, item); }

std::string Text(HWND tree, HTREEITEM item) {
  char buffer[MAX_PATH * 4] = {};
  TVITEM info;
  info.mask = TVIF_TEXT | TVIF_HANDLE;
  info.hItem = item;
  info.pszText = buffer;
  info.cchTextMax = sizeof(buffer);
  SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
  return buffer;
}

UINT State(HWND tree, HTREEITEM item) {
  TVITEM info;
  info.mask = TVIF_STATE | TVIF_HANDLE;
  info.hItem = item;
  info.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
  return info.state;
}

void SetHasChildren(HWND tree, HTREEITEM item, bool has) {
  TVITEM info;
  info.mask = TVIF_CHILDREN | TVIF_HANDLE;
  info.hItem = item;
  info.cChildren = has ? 1 : 0;
  SendMessage(tree, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&info));
}

// "\" and the names from the root's child down to the item, each with "\".
std::string PathOf(HWND tree, HTREEITEM item) {
  std::string path;
  for (HTREEITEM at = item; at && at != Root(tree); at = Parent(tree, at))
    path = Text(tree, at) + "\\" + path;
  return "\\" + path;
}

bool HasSubfolder(const std::string& folder) {
  WIN32_FIND_DATA data;
  FindHandle find = FindFirstFile(folder + "*.*", &data);
  bool found = false;
  for (bool more = static_cast<bool>(find); more && !found; more = FindNextFile(find, &data))
    found = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  FindClose(find);
  return found;
}

HTREEITEM Insert(HWND tree, HTREEITEM parent, const std::string& name, bool has_children) {
  TVINSERTSTRUCT insert;
  insert.hParent = parent;
  insert.hInsertAfter = TVI_SORT;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  std::string text = name;
  insert.item.pszText = text.data();
  insert.item.iImage = parent ? kFolderImage : kRootImage;
  insert.item.iSelectedImage = parent ? kOpenFolderImage : kRootImage;
  insert.item.cChildren = has_children ? 1 : 0;
  return reinterpret_cast<HTREEITEM>(
      SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Reads the item's subfolders in as its children.
void FillChildren(HWND tree, HTREEITEM item) {
  const std::string folder = PathOf(tree, item);
  WIN32_FIND_DATA data;
  FindHandle find = FindFirstFile(folder + "*.*", &data);
  bool any = false;
  for (bool more = static_cast<bool>(find); more; more = FindNextFile(find, &data)) {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
    Insert(tree, item, data.cFileName, HasSubfolder(folder + data.cFileName + "\\"));
    any = true;
  }
  FindClose(find);
  if (!any) SetHasChildren(tree, item, false);
}

void DeleteChildren(HWND tree, HTREEITEM item) {
  while (HTREEITEM child = FirstChild(tree, item))
    SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM item, const std::string& name) {
  for (HTREEITEM child = FirstChild(tree, item); child; child = NextSibling(tree, child)) {
    if (EqualsIgnoreCase(Text(tree, child), name)) return child;
  }
  return nullptr;
}

void Expand(HWND tree, HTREEITEM item) {
  SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void Select(HWND tree, HTREEITEM item) {
  SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  SendMessage(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

void Report(DWORD error) {
  MessageBox(running->tree, FolderErrorText(error), ResourceText(kStringErrorCaption),
             MB_OK | MB_ICONEXCLAMATION);
}

void UpdateLabel() {
  SetWindowText(running->label,
                running->label_prefix + ": " + PathOf(running->tree, Selected(running->tree)));
}

// The root with the device's name, then down the start folder's names as
// far as they are found.
void BuildTree() {
  HWND tree = running->tree;
  SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM at = Insert(tree, nullptr, DeviceName(), true);
  Expand(tree, at);
  const std::string& start = running->start;
  std::size_t from = 0;
  while (from < start.size()) {
    std::size_t end = start.find('\\', from);
    if (end == std::string::npos) end = start.size();
    if (end > from) {
      HTREEITEM child = ChildNamed(tree, at, start.substr(from, end - from));
      if (!child) break;
      at = child;
      Expand(tree, at);
    }
    from = end + 1;
  }
  Select(tree, at);
  SetFocus(tree);
  UpdateLabel();
}

void Done() {
  const std::string path = PathOf(running->tree, Selected(running->tree));
  if (!FolderFits(path)) {
    Report(206);
    return;
  }
  running->chosen = path;
  running->done = true;
  DestroyWindow(running->window);
}

void NewFolderCommand() {
  HWND tree = running->tree;
  HTREEITEM parent = Selected(tree);
  if (!parent) return;
  const NewFolder made = MakeNewFolder(PathOf(tree, parent), ResourceText(kStringNewFolder));
  if (made.names_exhausted) {
    MessageBox(running->window, "Can't create directory at all", "Error",
               MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (made.name.empty()) {
    Report(made.error);
    return;
  }
  SetHasChildren(tree, parent, true);
  HTREEITEM item = nullptr;
  if (State(tree, parent) & TVIS_EXPANDED) {
    item = Insert(tree, parent, made.name, false);
  } else {
    DeleteChildren(tree, parent);
    Expand(tree, parent);
    item = ChildNamed(tree, parent, made.name);
  }
  if (!item) return;
  Select(tree, item);
  SendMessage(tree, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item));
}

void RemoveCommand() {
  HWND tree = running->tree;
  HTREEITEM item = Selected(tree);
  if (!item || item == Root(tree)) return;
  if (const DWORD error = RemoveFolder(PathOf(tree, item))) {
    Report(error);
    return;
  }
  HTREEITEM parent = Parent(tree, item);
  SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  if (parent && !FirstChild(tree, parent)) SetHasChildren(tree, parent, false);
  UpdateLabel();
}

void OnCommand(UINT command) {
  HWND tree = running->tree;
  switch (command) {
    case IDOK:
      Done();
      break;
    case IDCANCEL:
      DestroyWindow(running->window);
      break;
    case kCommandParentFolder:
      if (HTREEITEM parent = Parent(tree, Selected(tree))) Select(tree, parent);
      break;
    case kCommandNewFolder:
      NewFolderCommand();
      break;
    case kCommandRemoveFolder:
      RemoveCommand();
      break;
    case kCommandRebuildTree:
      BuildTree();
      break;
    default:
      break;
  }
}

// Renaming by label editing: the root keeps its name; Done hides meanwhile.
LRESULT OnLabelEdit(const NMTVDISPINFO& info, bool ending) {
  HWND tree = running->tree;
  if (!ending) {
    if (info.item.hItem == Root(tree)) return TRUE;
    SHDoneButton(running->window, SHDB_HIDE);
    return FALSE;
  }
  SHDoneButton(running->window, SHDB_SHOW);
  if (!info.item.pszText) return FALSE;
  const std::string name = info.item.pszText;
  const std::string old_name = Text(tree, info.item.hItem);
  if (name.empty() || name == old_name) return FALSE;
  HTREEITEM parent = Parent(tree, info.item.hItem);
  if (const DWORD error = RenameFolder(PathOf(tree, parent), old_name, name)) {
    Report(error);
    return FALSE;
  }
  TVITEM renamed;
  renamed.mask = TVIF_TEXT | TVIF_HANDLE;
  renamed.hItem = info.item.hItem;
  std::string text = name;
  renamed.pszText = text.data();
  SendMessage(tree, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&renamed));
  UpdateLabel();
  return FALSE;
}

LRESULT OnNotify(const NMHDR& header) {
  HWND tree = running->tree;
  switch (header.code) {
    case TVN_ITEMEXPANDING: {
      const auto& change = reinterpret_cast<const NMTREEVIEW&>(header);
      if ((change.action & TVE_ACTIONMASK) == TVE_EXPAND && !FirstChild(tree, change.itemNew.hItem))
        FillChildren(tree, change.itemNew.hItem);
      return FALSE;
    }
    case TVN_ITEMEXPANDED: {
      const auto& change = reinterpret_cast<const NMTREEVIEW&>(header);
      // Read again at the next expansion.
      if ((change.action & TVE_ACTIONMASK) == TVE_COLLAPSE) {
        DeleteChildren(tree, change.itemNew.hItem);
        SetHasChildren(tree, change.itemNew.hItem, true);
      }
      return 0;
    }
    case TVN_SELCHANGED:
      UpdateLabel();
      return 0;
    case TVN_BEGINLABELEDIT:
      return OnLabelEdit(reinterpret_cast<const NMTVDISPINFO&>(header), false);
    case TVN_ENDLABELEDIT:
      return OnLabelEdit(reinterpret_cast<const NMTVDISPINFO&>(header), true);
    case TVN_KEYDOWN: {
      const WORD key = reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey;
      if (key == VK_RETURN) Done();
      if (key == VK_ESCAPE) DestroyWindow(running->window);
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT OnCreate(HWND window) {
  running->window = window;
  SHMENUBARINFO bar;
  bar.hwndParent = window;
  bar.nToolBarId = kMenuFolderChooser;
  bar.hInstRes = Gallery().resources;
  bar.nBmpId = kFolderChooserBitmap;
  bar.cBmpImages = kFolderChooserImages;
  if (SHCreateMenuBar(&bar)) running->menu_bar = bar.hwndMB;
  RECT client;
  GetClientRect(window, &client);
  running->label = CreateWindowEx(
      0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFTNOWORDWRAP, 0, 0, client.right,
      kLabelHeight, window, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kLabel)), nullptr,
      nullptr);
  running->tree =
      CreateWindowEx(0, WC_TREEVIEW, "",
                     WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                         TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                     0, kLabelHeight, client.right, client.bottom - kLabelHeight, window,
                     reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kTree)), nullptr, nullptr);
  if (!running->label || !running->tree) return -1;
  running->images =
      ImageList_LoadBitmap(Gallery().instance, kBitmapFolders, 16, 0, RGB(255, 255, 255));
  SendMessage(running->tree, TVM_SETIMAGELIST, TVSIL_NORMAL,
              reinterpret_cast<LPARAM>(running->images));
  SHDoneButton(window, SHDB_SHOW);
  BuildTree();
  return 0;
}

void OnDestroy() {
  if (running->menu_bar) DestroyWindow(running->menu_bar);
  if (running->images) ImageList_Destroy(running->images);
  running->menu_bar = nullptr;
  running->images = nullptr;
  running->gone = true;
}

LRESULT ChooserProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!running) return DefWindowProc(window, message, wparam, lparam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_SIZE:
      if (running->tree)
        MoveWindow(running->tree, 0, kLabelHeight, LOWORD(lparam), HIWORD(lparam) - kLabelHeight,
                   TRUE);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) {
        SHFullScreen(window, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON);
        SipShowIM(SIPF_OFF);
        SHDoneButton(window, SHDB_SHOW);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProc(window, message, wparam, lparam);
  }
}

}  // namespace

bool ChooseFolder(HWND owner, const std::string& title, const std::string& label_prefix,
                  std::string& folder) {
  if (running) return false;
  Chooser chooser;
  chooser.label_prefix = label_prefix;
  // A start folder that would not fit the buffer starts at the root.
  chooser.start = FolderFits(folder) ? folder : "\\";
  running = &chooser;
  INITCOMMONCONTROLSEX controls;
  controls.dwICC = ICC_TREEVIEW_CLASSES;
  InitCommonControlsEx(&controls);
  RegisterWindowClass(kChooserClass, ChooserProcedure, Gallery().instance, LTGRAY_BRUSH);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  HWND window =
      CreateWindowEx(WS_EX_NODRAG, kChooserClass, title, WS_POPUP | WS_VISIBLE, work.left, work.top,
                     work.right - work.left, work.bottom - work.top - kMenuBarHeight, owner,
                     nullptr, Gallery().instance, nullptr);
  if (window) RunModalLoop([&] { return chooser.gone; });
  running = nullptr;
  if (!chooser.done) return false;
  folder = chooser.chosen;
  return true;
}

}  // namespace gallery
