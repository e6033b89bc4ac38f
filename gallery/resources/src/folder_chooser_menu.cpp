// Menu 110: the folder chooser's bar, four buttons on the strip of bitmap
// 202 (parent folder, new folder, remove, rebuild the tree).
#include "gallery/resources/commands.h"
#include "texts.h"

namespace gallery {

platform::MenuTemplate FolderChooserMenu() {
  const UINT buttons[] = {kCommandParentFolder, kCommandNewFolder, kCommandRemoveFolder,
                          kCommandRebuildTree};
  platform::MenuTemplate menu;
  int image = 0;
  for (UINT id : buttons) {
    platform::MenuItemTemplate item;
    item.id = id;
    item.image = image++;
    menu.items.push_back(item);
  }
  return menu;
}

}  // namespace gallery
