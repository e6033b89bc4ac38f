// The folder chooser: the handheld's folders from the root, each level read
// when it is first opened. Folders are made and removed here at once; what
// is chosen is only handed back.
#include <algorithm>
#include <set>
#include <vector>

#include "artwork_ids.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/settings_dialogs/settings_dialogs.h"
#include "camera/still/snapshot_request.h"
#include "camera/strings/string_library.h"
#include "dialog_ids.h"
#include "dialog_support.h"
#include "platform/common_controls.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/shell_state.h"
#include "string_ids.h"

namespace camera {

using namespace platform;

namespace {

namespace ids = dialog_ids;

constexpr char kNewFolderName[] = "New Folder";
constexpr std::string_view kForbidden = "\\/:*?\"<>|";
// The longest picture name behind the prefix: four digits and ".jpg".
constexpr std::size_t kNumberAndExtension = sizeof("0000.jpg") - 1;
// There is no translated text for it.
constexpr char kTooLongText[] =
    "This folder's path is too long: the names of pictures in it would not fit. "
    "Please choose a folder with a shorter path.";
// Posted to drop a new folder's item once its naming has ended.
constexpr UINT kDropItem = WM_APP + 2;

// Whether pictures named `prefix` + "0000.jpg" fit the driver's record in
// `folder` (ending with a backslash).
bool FitsPictureNames(std::string_view folder, std::string_view prefix) {
  return Utf16Length(folder) + Utf16Length(prefix) + kNumberAndExtension <= kSnapshotPathLimit;
}

// The subfolders of `path` ("\" or a path without its final backslash).
std::vector<std::string> Subfolders(const std::string& path) {
  const std::string pattern = path == "\\" ? path + "*.*" : path + "\\*.*";
  std::vector<std::string> names;
  WIN32_FIND_DATA found;
  FindHandle find = FindFirstFile(pattern, &found);
  if (!find) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName != "." &&
        found.cFileName != "..") {
      names.push_back(found.cFileName);
    }
  } while (FindNextFile(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FoldCase(a) < FoldCase(b); });
  return names;
}

std::string Join(const std::string& parent, const std::string& name) {
  return parent == "\\" ? parent + name : parent + "\\" + name;
}

class FolderChooser {
 public:
  FolderChooser(std::string_view folder, std::string_view prefix, const DialogContext& context)
      : start_(folder),
        prefix_(prefix),
        context_(context),
        images_(context.instance, artwork_ids::kFolderImage, artwork_ids::kFolderImageWidth) {}

  std::optional<std::string> Run(HWND owner) {
    const INT_PTR result = DialogBoxParam(
        context_.instance, ids::kFolderChooser, owner,
        [this](HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
          return Procedure(dialog, message, wparam, lparam);
        },
        0);
    if (result != IDOK) return std::nullopt;
    return chosen_;
  }

 private:
  INT_PTR Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_INITDIALOG:
        dialog_ = dialog;
        OnInit();
        return TRUE;
      case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      case WM_COMMAND:
        return OnCommand(LOWORD(wparam)) ? TRUE : FALSE;
      case kDropItem:
        DropRefused();
        return TRUE;
      case WM_HELP:
        if (context_.open_help) context_.open_help();
        return TRUE;
      default:
        return FALSE;
    }
  }

  HWND Tree() const { return GetDlgItem(dialog_, ids::kFolderTree); }

  HTREEITEM Next(UINT relation, HTREEITEM item) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessage(Tree(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
  HTREEITEM Selected() const { return Next(TVGN_CARET, nullptr); }

  std::string Text(HTREEITEM item) const {
    char text[MAX_PATH * 4] = {};
    TVITEM info;
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessage(Tree(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
    return text;
  }

  // The item's path: the texts from the root joined with backslashes,
  // without a final one ("\" for the root).
  std::string Path(HTREEITEM item) const {
    HTREEITEM parent = Next(TVGN_PARENT, item);
    return parent ? Join(Path(parent), Text(item)) : Text(item);
  }
  std::string Folder(HTREEITEM item) const {
    const std::string path = Path(item);
    return path == "\\" ? path : path + "\\";
  }

  HTREEITEM Add(HTREEITEM parent, const std::string& name, bool has_children) {
    std::string text = name;
    TVINSERTSTRUCT insert;
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = text.data();
    insert.item.cChildren = has_children ? 1 : 0;
    return reinterpret_cast<HTREEITEM>(
        SendMessage(Tree(), TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
  }

  // Reads the item's subfolders the first time it is opened.
  void Fill(HTREEITEM item) {
    if (!item || !filled_.insert(item).second) return;
    const std::string path = Path(item);
    for (const std::string& name : Subfolders(path)) {
      Add(item, name, !Subfolders(Join(path, name)).empty());
    }
  }

  void Expand(HTREEITEM item) {
    Fill(item);
    SendMessage(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  }

  void Select(HTREEITEM item) {
    SendMessage(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessage(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  }

  HTREEITEM Child(HTREEITEM parent, std::string_view name) const {
    for (HTREEITEM child = Next(TVGN_CHILD, parent); child; child = Next(TVGN_NEXT, child)) {
      if (EqualsIgnoreCase(Text(child), name)) return child;
    }
    return nullptr;
  }

  void OnInit() {
    MakeFullScreen(dialog_, false);
    SetWindowText(dialog_, LocalizedText(kTitleString));
    SetItemString(dialog_, ids::kChooserLabel, kSelectFolderString);
    SetItemString(dialog_, ids::kAddFolder, kAddFolderString);
    SetItemString(dialog_, ids::kDeleteFolder, kDeleteFolderString);
    SetItemString(dialog_, IDOK, kOkString);
    SetItemString(dialog_, IDCANCEL, kCancelString);
    SendMessage(Tree(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.get()));
    // The panel would hide the buttons until a name is to be typed.
    SHSipPreference(dialog_, SIP_DOWN);
    // Enter ends the naming of a new folder rather than the chooser.
    SetDialogPreTranslateHook(dialog_, [this](MSG& msg) {
      if (!naming_ || msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
      SendMessage(Tree(), TVM_ENDEDITLABELNOW, FALSE, 0);
      return true;
    });
    HTREEITEM item = Add(TVI_ROOT, "\\", true);
    // Down the start folder's path as far as it exists.
    std::size_t begin = 1;
    while (begin < start_.size()) {
      const std::size_t end = std::min(start_.find('\\', begin), start_.size());
      Expand(item);
      HTREEITEM child = Child(item, std::string_view(start_).substr(begin, end - begin));
      if (!child) break;
      item = child;
      begin = end + 1;
    }
    if (item == Next(TVGN_ROOT, nullptr)) Expand(item);
    Select(item);
  }

  INT_PTR OnNotify(const NMHDR& header) {
    if (static_cast<int>(header.idFrom) != ids::kFolderTree) return FALSE;
    switch (header.code) {
      case TVN_ITEMEXPANDING: {
        const auto& change = reinterpret_cast<const NMTREEVIEW&>(header);
        if ((change.action & TVE_ACTIONMASK) == TVE_EXPAND) Fill(change.itemNew.hItem);
        return Answer(FALSE);
      }
      case TVN_BEGINLABELEDIT:
        // Only a new folder is named here; the others are renamed elsewhere.
        return Answer(reinterpret_cast<const NMTVDISPINFO&>(header).item.hItem != naming_);
      case TVN_ENDLABELEDIT:
        return Answer(EndNaming(reinterpret_cast<const NMTVDISPINFO&>(header).item));
      default:
        return FALSE;
    }
  }

  INT_PTR Answer(LRESULT result) {
    SetWindowLongPtr(dialog_, DWL_MSGRESULT, result);
    return TRUE;
  }

  bool OnCommand(int id) {
    switch (id) {
      case ids::kAddFolder:
        AddFolder();
        return true;
      case ids::kDeleteFolder:
        DeleteFolder();
        return true;
      case IDOK:
        Confirm();
        return true;
      case IDCANCEL:
        if (naming_) SendMessage(Tree(), TVM_ENDEDITLABELNOW, TRUE, 0);
        EndDialog(dialog_, IDCANCEL);
        return true;
      default:
        return false;
    }
  }

  void AddFolder() {
    SipShowIM(SIPF_ON);
    HTREEITEM parent = Selected();
    if (!parent) {
      Tell(dialog_, kSelectOneString, MB_ICONERROR);
      return;
    }
    Expand(parent);
    naming_ = Add(parent, kNewFolderName, false);
    filled_.insert(naming_);
    Expand(parent);
    Select(naming_);
    SendMessage(Tree(), TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(naming_));
  }

  // The end of naming a new folder: true keeps the name, the folder made.
  bool EndNaming(const TVITEM& item) {
    if (item.hItem != naming_ || !naming_) return false;
    naming_ = nullptr;
    SipShowIM(SIPF_OFF);
    HTREEITEM parent = Next(TVGN_PARENT, item.hItem);
    const std::string name = item.pszText ? item.pszText : "";
    const bool made = !name.empty() && MakeFolder(parent, item.hItem, name);
    if (!made) {
      // The tree still holds the item while it tells this: it goes after.
      refused_ = item.hItem;
      PostMessage(dialog_, kDropItem, 0, 0);
    }
    return made;
  }

  bool MakeFolder(HTREEITEM parent, HTREEITEM item, const std::string& name) {
    if (name.find_first_of(kForbidden) != std::string::npos) {
      Tell(dialog_, kForbiddenNameString, MB_OK);
      return false;
    }
    for (HTREEITEM sibling = Next(TVGN_CHILD, parent); sibling;
         sibling = Next(TVGN_NEXT, sibling)) {
      if (sibling != item && EqualsIgnoreCase(Text(sibling), name)) {
        Tell(dialog_, kExistsString, MB_ICONERROR);
        return false;
      }
    }
    const std::string path = Join(Path(parent), name);
    if (!FitsPictureNames(path + "\\", prefix_)) {
      Tell(dialog_, kTooLongText, MB_ICONERROR);
      return false;
    }
    if (!CreateDirectory(path)) {
      std::string text = LocalizedText(kTheFolderString);
      text += path;
      text += LocalizedText(kNotCreatedString);
      Tell(dialog_, text, MB_ICONERROR);
      return false;
    }
    return true;
  }

  void DropRefused() {
    if (!refused_) return;
    HTREEITEM parent = Next(TVGN_PARENT, refused_);
    SendMessage(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(refused_));
    refused_ = nullptr;
    if (parent) Select(parent);
  }

  void DeleteFolder() {
    HTREEITEM item = Selected();
    if (!item) {
      Tell(dialog_, kSelectOneString, MB_ICONERROR);
      return;
    }
    const std::string path = Path(item);
    std::string question = LocalizedText(kAskDeleteString);
    question += path + "?";
    if (Tell(dialog_, question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (!RemoveDirectory(path)) {
      std::string refusal = LocalizedText(kNotEmptyString);
      refusal += path + "?";
      Tell(dialog_, refusal, MB_ICONERROR);
      return;
    }
    HTREEITEM parent = Next(TVGN_PARENT, item);
    SendMessage(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
    if (!parent) return;
    Select(parent);
    // Pictures must not go to a folder that is gone: its parent takes over.
    if (EqualsIgnoreCase(path + "\\", Settings().folder_in_use)) StoreFolderInUse(Folder(parent));
  }

  void Confirm() {
    if (naming_) SendMessage(Tree(), TVM_ENDEDITLABELNOW, FALSE, 0);
    if (refused_) {
      // The name was refused and said so: the chooser stays open.
      DropRefused();
      return;
    }
    HTREEITEM item = Selected();
    if (!item) {
      Tell(dialog_, kSelectOneString, MB_ICONERROR);
      return;
    }
    const std::string folder = Folder(item);
    if (!FitsPictureNames(folder, prefix_)) {
      Tell(dialog_, kTooLongText, MB_ICONERROR);
      return;
    }
    chosen_ = folder;
    EndDialog(dialog_, IDOK);
  }

  const std::string start_;
  const std::string prefix_;
  const DialogContext& context_;
  ImageStrip images_;
  HWND dialog_ = nullptr;
  std::set<HTREEITEM> filled_;
  HTREEITEM naming_ = nullptr;   // the new folder being named
  HTREEITEM refused_ = nullptr;  // a new folder whose name was refused
  std::string chosen_;
};

}  // namespace

std::optional<std::string> RunFolderChooser(HWND owner, std::string_view folder,
                                            std::string_view prefix, const DialogContext& context) {
  InitCommonControls();
  FolderChooser chooser(folder, prefix, context);
  return chooser.Run(owner);
}

}  // namespace camera
