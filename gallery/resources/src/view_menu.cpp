// Menu 109: the zoom view's bar, six buttons on strip 201 (previous, next,
// zoom out, zoom in, fit, actual size) and no menu, leaving the bar's
// middle to the zoom label.
#include "gallery/resources/commands.h"
#include "texts.h"

namespace gallery {

platform::MenuTemplate ZoomViewMenu() {
  const UINT buttons[] = {kCommandPreviousPicture, kCommandNextPicture, kCommandZoomOut,
                          kCommandZoomIn,          kCommandZoomToFit,   kCommandActualSize};
  platform::MenuTemplate menu;
  int image = 0;
  for (UINT id : buttons) {
    platform::MenuItemTemplate item;
    item.id = id;
    item.image = image++;
    menu.items.push_back(std::move(item));
  }
  return menu;
}

}  // namespace gallery
