// Driving the folder chooser ("DirTree") from a test as a person does:
// read its label, walk its tree, make and name a folder, press Done.
#pragma once

#include <optional>
#include <string>

#include "gallery/resources/commands.h"
#include "platform/common_controls/tree_view.h"
#include "platform/messages.h"
#include "platform/time.h"
#include "platform/window.h"

namespace gallery::testing {

struct FolderChooserDriver {
  static platform::HWND Chooser() { return platform::FindWindow("DirTree", std::nullopt); }
  static platform::HWND Tree() { return platform::GetDlgItem(Chooser(), 101); }
  static std::string Label() {
    return platform::GetWindowText(platform::GetDlgItem(Chooser(), 102));
  }
  static void ChooserCommand(platform::UINT id) {
    platform::PostMessage(Chooser(), platform::WM_COMMAND, id, 0);
    platform::Sleep(500);
  }
  static platform::HTREEITEM Next(platform::UINT relation, platform::HTREEITEM from = nullptr) {
    return reinterpret_cast<platform::HTREEITEM>(platform::SendMessage(
        Tree(), platform::TVM_GETNEXTITEM, relation, reinterpret_cast<platform::LPARAM>(from)));
  }
  static platform::HTREEITEM Selected() { return Next(platform::TVGN_CARET); }
  static std::string TextOf(platform::HTREEITEM item) {
    char buffer[300] = {};
    platform::TVITEM data;
    data.mask = platform::TVIF_TEXT | platform::TVIF_HANDLE;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = sizeof(buffer);
    platform::SendMessage(Tree(), platform::TVM_GETITEM, 0,
                          reinterpret_cast<platform::LPARAM>(&data));
    return buffer;
  }
  static std::string SelectedText() { return TextOf(Selected()); }
  // Opens the selected folder and selects its child `name`; false when it
  // has none of that name.
  static bool SelectChild(const std::string& name) {
    platform::SendMessage(Tree(), platform::TVM_EXPAND, platform::TVE_EXPAND,
                          reinterpret_cast<platform::LPARAM>(Selected()));
    for (platform::HTREEITEM child = Next(platform::TVGN_CHILD, Selected()); child;
         child = Next(platform::TVGN_NEXT, child)) {
      if (TextOf(child) != name) continue;
      platform::SendMessage(Tree(), platform::TVM_SELECTITEM, platform::TVGN_CARET,
                            reinterpret_cast<platform::LPARAM>(child));
      return true;
    }
    return false;
  }
  // A new folder under the selected one, named `name` in its label editor.
  static void NewFolderNamed(const std::string& name) {
    ChooserCommand(kCommandNewFolder);
    const auto edit = reinterpret_cast<platform::HWND>(
        platform::SendMessage(Tree(), platform::TVM_GETEDITCONTROL, 0, 0));
    platform::SetWindowText(edit, name);
    platform::SendMessage(Tree(), platform::TVM_ENDEDITLABELNOW, platform::FALSE, 0);
    platform::Sleep(500);
  }
};

}  // namespace gallery::testing
