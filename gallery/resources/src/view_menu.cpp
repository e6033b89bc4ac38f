// Menu 109: the zoom view's bar, six buttons on strip 201 (previous, next,
// zoom out, zoom in, fit, actual size) and no menu. The bar's buttons are
// 26 pixels wide and its separators 4: the first four buttons end at 104,
// twenty separators leave the zoom label (130 to 178) its room, and fit
// and actual size follow at 184.
#include "gallery/resources/commands.h"
#include "texts.h"

namespace gallery {

platform::MenuTemplate ZoomViewMenu() {
  const UINT buttons[] = {kCommandPreviousPicture, kCommandNextPicture, kCommandZoomOut,
                          kCommandZoomIn,          kCommandZoomToFit,   kCommandActualSize};
  platform::MenuTemplate menu;
  constexpr int kButtonsBeforeLabel = 4;
  constexpr int kSeparatorsForLabel = 20;
  int image = 0;
  for (UINT id : buttons) {
    if (image == kButtonsBeforeLabel) {
      platform::MenuItemTemplate gap;
      gap.separator = true;
      menu.items.insert(menu.items.end(), kSeparatorsForLabel, gap);
    }
    platform::MenuItemTemplate item;
    item.id = id;
    item.image = image++;
    menu.items.push_back(std::move(item));
  }
  return menu;
}

}  // namespace gallery
