// The common control classes, registered per handheld on request.
#include "platform/common_controls/registration.h"

#include "common_controls/event_control.h"
#include "common_controls/list_view.h"
#include "common_controls/toolbar.h"
#include "common_controls/trackbar.h"
#include "common_controls/tree_view.h"

namespace platform {

using common_controls::MakeControl;
using common_controls::RegisterControlClass;

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  BOOL ok = TRUE;
  if (init->dwICC & ICC_BAR_CLASSES) {
    ok &= RegisterControlClass(TRACKBAR_CLASS, MakeControl<common_controls::Trackbar>);
    ok &= RegisterControlClass(TOOLBARCLASSNAME, MakeControl<common_controls::Toolbar>);
  }
  if (init->dwICC & ICC_LISTVIEW_CLASSES) {
    ok &= RegisterControlClass(WC_LISTVIEW, MakeControl<common_controls::ListView>);
  }
  if (init->dwICC & ICC_TREEVIEW_CLASSES) {
    ok &= RegisterControlClass(WC_TREEVIEW, MakeControl<common_controls::TreeView>);
  }
  return ok;
}

void InitCommonControls() {
  INITCOMMONCONTROLSEX init;
  init.dwICC = ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES;
  InitCommonControlsEx(&init);
}

}  // namespace platform
