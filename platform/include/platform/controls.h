// The system's standard controls: buttons, static texts and pictures,
// edits, list boxes, drop-down combo boxes and scroll bars. Their classes
// ("BUTTON", "STATIC", "EDIT", "LISTBOX", "COMBOBOX", "SCROLLBAR") exist in
// every handheld before its first window, so dialogs and programs make them
// by class name with CreateWindowEx and talk to them with messages.
//
// Controls tell their parent what happened with WM_COMMAND (the control's
// id in the low word of wParam, the notification code in the high word and
// the control's window in lParam), ask it for colours with the
// WM_CTLCOLOR* messages and, when owner-drawn, for drawing with
// WM_DRAWITEM. They draw with the font given by WM_SETFONT, else the default
// GUI font.
#pragma once

#include "platform/controls/buttons.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/controls/scroll_bar.h"
#include "platform/controls/static.h"

namespace platform {

inline constexpr char kButtonClassName[] = "BUTTON";
inline constexpr char kStaticClassName[] = "STATIC";
inline constexpr char kEditClassName[] = "EDIT";
inline constexpr char kListBoxClassName[] = "LISTBOX";
inline constexpr char kComboBoxClassName[] = "COMBOBOX";
inline constexpr char kScrollBarClassName[] = "SCROLLBAR";

}  // namespace platform
