// Dialog 111, the one page of the rename sheet: the name to edit, in
// dialog units like the options pages.
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "texts.h"

namespace gallery {

using namespace platform;

DialogTemplate RenamePage(const Texts& text) {
  DialogTemplate page;
  page.caption = text(kStringRenamePage);
  page.style = WS_CHILD | WS_VISIBLE;
  page.cx = 160;
  page.cy = 151;
  page.items = {
      {"STATIC", text(kStringRenamePage) + ":", 0xFFFF, WS_VISIBLE | SS_LEFT, 0, 6, 10, 148, 10},
      {"EDIT", "", kEditRenameName, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 6, 22,
       148, 12},
  };
  return page;
}

}  // namespace gallery
