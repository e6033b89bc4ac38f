#include "dialogs_demo_program.h"

#include <array>
#include <memory>

#include "platform/common_controls.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/gdi.h"
#include "platform/image_list.h"
#include "platform/property_sheet.h"
#include "platform/shell_dialog.h"
#include "platform/window_paint.h"

namespace handheld {

using namespace platform;

namespace {

// Controls of the pages and the folder dialog.
constexpr int kPictureList = 1070;
constexpr int kPrefixEdit = 1088;
constexpr int kCounterEdit = 1089;
constexpr int kFolderLabel = 1090;
constexpr int kLarge = 1001;
constexpr int kSmall = 1002;
constexpr int kSounds = 1005;
constexpr int kFoldersButton = 1030;
constexpr int kFolderTree = 1039;
constexpr int kPrefixLimit = 15;

struct Row {
  const char* name;
  const char* size;
  int image;  // 0 picture, 1 clip
};
constexpr std::array<Row, 6> kRows = {{{"snap0001.jpg", "48 KB", 0},
                                       {"snap0002.jpg", "51 KB", 0},
                                       {"m0001.avi", "1.2 MB", 1},
                                       {"snap0003.jpg", "47 KB", 0},
                                       {"m0002.avi", "860 KB", 1},
                                       {"snap0004.jpg", "50 KB", 0}}};

DialogTemplate PicturesPage() {
  DialogTemplate page;
  page.caption = "Pictures";
  page.cx = 160;
  page.cy = 150;
  page.items = {DialogChild("STATIC", "Pictures in My Pictures", -1, 0, 4, 4, 150, 10),
                DialogChild(WC_LISTVIEW, "", kPictureList,
                            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
                            2, 16, 156, 128)};
  return page;
}

DialogTemplate OptionsPage() {
  DialogTemplate page;
  page.caption = "Options";
  page.cx = 160;
  page.cy = 150;
  page.items = {
      DialogChild("STATIC", "File name prefix:", -1, 0, 4, 4, 76, 10),
      DialogChild("EDIT", "snap", kPrefixEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 3, 74,
                  12),
      DialogChild("STATIC", "Counter:", -1, 0, 4, 20, 76, 10),
      DialogChild("EDIT", "1", kCounterEdit, WS_BORDER | WS_TABSTOP | ES_NUMBER, 82, 19, 40, 12),
      DialogChild("BUTTON", "Resolution", -1, BS_GROUPBOX, 4, 36, 152, 40),
      DialogChild("BUTTON", "320x240", kLarge, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 12, 47,
                  64, 10),
      DialogChild("BUTTON", "160x120", kSmall, BS_AUTORADIOBUTTON, 12, 60, 64, 10),
      DialogChild("BUTTON", "Camera sounds", kSounds, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 4,
                  82, 100, 10),
      DialogChild("STATIC", "\\My Documents\\My Pictures", kFolderLabel, 0, 4, 98, 152, 10),
      DialogChild("BUTTON", "Folders...", kFoldersButton, BS_PUSHBUTTON | WS_TABSTOP, 4, 112, 60,
                  14)};
  return page;
}

DialogTemplate FolderDialog() {
  DialogTemplate dialog;
  dialog.caption = kDialogsDemoTreeTitle;
  dialog.style = WS_POPUP;
  dialog.cx = 160;
  dialog.cy = 165;
  dialog.items = {
      DialogChild("STATIC", "Please select a folder", -1, 0, 4, 4, 150, 10),
      DialogChild(WC_TREEVIEW, "", kFolderTree,
                  TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER |
                      WS_TABSTOP,
                  2, 16, 156, 120),
      DialogChild("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 30, 142, 44, 14),
      DialogChild("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 86, 142, 44, 14)};
  return dialog;
}

// Two 16 x 16 row images drawn in code: a picture and a film strip.
HIMAGELIST MakeRowImages() {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR16 | ILC_MASK, 2, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, 32, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, strip);
  auto fill = [dc](RECT rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  };
  fill({0, 0, 32, 16}, RGB(255, 0, 255));
  fill({1, 2, 15, 14}, RGB(40, 110, 200));
  fill({3, 8, 9, 13}, RGB(60, 170, 60));
  fill({9, 4, 12, 7}, RGB(255, 220, 0));
  fill({17, 2, 31, 14}, RGB(60, 60, 60));
  for (int hole = 0; hole < 4; ++hole) {
    fill({18 + hole * 3, 3, 20 + hole * 3, 5}, RGB(255, 255, 255));
    fill({18 + hole * 3, 11, 20 + hole * 3, 13}, RGB(255, 255, 255));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ImageList_AddMasked(images, strip, RGB(255, 0, 255));
  DeleteObject(strip);
  return images;
}

void FillPictureList(HWND list) {
  // The list view owns the image list from here on.
  SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(MakeRowImages()));
  SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const std::array<std::pair<const char*, int>, 2> columns = {{{"Name", 150}, {"Size", 76}}};
  for (int index = 0; index < static_cast<int>(columns.size()); ++index) {
    std::string text = columns[static_cast<std::size_t>(index)].first;
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = columns[static_cast<std::size_t>(index)].second;
    column.pszText = text.data();
    column.iSubItem = index;
    SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(&column));
  }
  for (int index = 0; index < static_cast<int>(kRows.size()); ++index) {
    const Row& row = kRows[static_cast<std::size_t>(index)];
    std::string name = row.name, size = row.size;
    LVITEM item;
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = name.data();
    item.iImage = row.image;
    SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    LVITEM sub;
    sub.iSubItem = 1;
    sub.pszText = size.data();
    SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
  }
}

INT_PTR PicturesProcedure(HWND page, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    FillPictureList(GetDlgItem(page, kPictureList));
    return TRUE;
  }
  return FALSE;
}

HTREEITEM AddFolder(HWND tree, HTREEITEM parent, const char* name, bool has_children) {
  std::string text = name;
  TVINSERTSTRUCT insert;
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
  insert.item.pszText = text.data();
  insert.item.cChildren = has_children ? 1 : 0;
  return reinterpret_cast<HTREEITEM>(
      SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillFolderTree(HWND tree) {
  HTREEITEM root = AddFolder(tree, TVI_ROOT, "\\", true);
  HTREEITEM documents = AddFolder(tree, root, "My Documents", true);
  HTREEITEM pictures = AddFolder(tree, documents, "My Pictures", true);
  AddFolder(tree, pictures, "Trip", false);
  AddFolder(tree, documents, "Personal", false);
  AddFolder(tree, root, "Program Files", false);
  AddFolder(tree, root, "Storage Card", true);
  AddFolder(tree, root, "Windows", false);
  SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(documents));
  SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(pictures));
}

// The selected folder's path, from the root's text down.
std::string SelectedFolder(HWND tree) {
  auto item = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  std::string path;
  while (item) {
    char text[64] = {};
    TVITEM info;
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
    const std::string name = text;
    path = name == "\\" ? "\\" + path : name + (path.empty() ? "" : "\\") + path;
    item = reinterpret_cast<HTREEITEM>(
        SendMessage(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
  }
  return path;
}

INT_PTR FolderProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* chosen = reinterpret_cast<std::string*>(GetWindowLongPtr(dialog, DWL_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWL_USER, lparam);
      SHINITDLGINFO info;
      info.hDlg = dialog;
      info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
      SHInitDialog(&info);
      FillFolderTree(GetDlgItem(dialog, kFolderTree));
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK && chosen)
        *chosen = SelectedFolder(GetDlgItem(dialog, kFolderTree));
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR OptionsProcedure(HWND page, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessage(page, kPrefixEdit, EM_LIMITTEXT, kPrefixLimit, 0);
      CheckRadioButton(page, kLarge, kSmall, kLarge);
      CheckDlgButton(page, kSounds, BST_CHECKED);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == kFoldersButton) {
        const DialogTemplate folders = FolderDialog();
        std::string chosen;
        if (DialogBoxIndirectParam(nullptr, &folders, page, FolderProcedure,
                                   reinterpret_cast<LPARAM>(&chosen)) == IDOK) {
          SetDlgItemText(page, kFolderLabel, chosen);
        }
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int DialogsDemoMain(HINSTANCE instance, const std::string&) {
  InitCommonControls();
  const DialogTemplate pictures = PicturesPage();
  const DialogTemplate options = OptionsPage();
  std::array<PROPSHEETPAGE, 2> pages;
  pages[0].dwFlags = PSP_DLGINDIRECT;
  pages[0].pResource = &pictures;
  pages[0].pfnDlgProc = PicturesProcedure;
  pages[1].dwFlags = PSP_DLGINDIRECT;
  pages[1].pResource = &options;
  pages[1].pfnDlgProc = OptionsProcedure;
  PROPSHEETHEADER header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MAXIMIZE | PSH_USECALLBACK;
  header.hInstance = instance;
  header.pszCaption = kDialogsDemoSheetTitle;
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  header.pfnCallback = [](HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
      SHINITDLGINFO info;
      info.hDlg = sheet;
      info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
      SHInitDialog(&info);
    }
    return 0;
  };
  return PropertySheet(&header) == 1 ? 0 : 1;
}

}  // namespace handheld
