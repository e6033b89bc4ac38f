// The common controls: trackbar, toolbar, list view and tree view, with
// their registration and the WM_NOTIFY records they send.
#pragma once

#include "platform/common_controls/list_view.h"
#include "platform/common_controls/notify.h"
#include "platform/common_controls/registration.h"
#include "platform/common_controls/toolbar.h"
#include "platform/common_controls/trackbar.h"
#include "platform/common_controls/tree_view.h"
