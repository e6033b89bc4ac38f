// Toolbar: a row of image buttons cut from bitmap strips, with check
// buttons and separators. A tap released over an enabled button sends
// WM_COMMAND (low word the id, high word 0) to the parent; a check button
// toggles.
#pragma once

#include <cstdint>

#include "platform/gdi.h"
#include "platform/image_list.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace platform {

inline constexpr char TOOLBARCLASSNAME[] = "ToolbarWindow32";

using DWORD_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;

// Placement styles shared by the bar controls.
inline constexpr DWORD CCS_TOP = 0x0001;
inline constexpr DWORD CCS_NOMOVEY = 0x0002;
inline constexpr DWORD CCS_BOTTOM = 0x0003;
inline constexpr DWORD CCS_NORESIZE = 0x0004;
inline constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
inline constexpr DWORD CCS_NODIVIDER = 0x0040;
inline constexpr DWORD CCS_VERT = 0x0080;

inline constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
inline constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
inline constexpr DWORD TBSTYLE_FLAT = 0x0800;
inline constexpr DWORD TBSTYLE_LIST = 0x1000;

// Button styles (TBBUTTON::fsStyle).
inline constexpr BYTE TBSTYLE_BUTTON = 0x00;
inline constexpr BYTE TBSTYLE_SEP = 0x01;
inline constexpr BYTE TBSTYLE_CHECK = 0x02;
inline constexpr BYTE TBSTYLE_GROUP = 0x04;
inline constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;

// Button states (TBBUTTON::fsState).
inline constexpr BYTE TBSTATE_CHECKED = 0x01;
inline constexpr BYTE TBSTATE_PRESSED = 0x02;
inline constexpr BYTE TBSTATE_ENABLED = 0x04;
inline constexpr BYTE TBSTATE_HIDDEN = 0x08;
inline constexpr BYTE TBSTATE_INDETERMINATE = 0x10;

struct TBBUTTON {
  int iBitmap = 0;  // image index; for a separator its width (0: the default)
  int idCommand = 0;
  BYTE fsState = 0;
  BYTE fsStyle = 0;
  BYTE bReserved[2] = {0, 0};
  DWORD_PTR dwData = 0;
  INT_PTR iString = 0;
};

// TB_SETBUTTONINFO's record: which fields count (TBIF_STATE, TBIF_STYLE)
// and their values. The shell's menu bar answers it for its buttons by
// command id: TBSTYLE_CHECK makes a button stay down until tapped again.
inline constexpr DWORD TBIF_STATE = 0x00000004;
inline constexpr DWORD TBIF_STYLE = 0x00000008;
struct TBBUTTONINFO {
  UINT cbSize = sizeof(TBBUTTONINFO);
  DWORD dwMask = 0;
  int idCommand = 0;
  BYTE fsState = 0;
  BYTE fsStyle = 0;
};
inline constexpr UINT TB_SETBUTTONINFO = WM_USER + 64;  // wParam id, lParam TBBUTTONINFO*

// A bitmap strip for TB_ADDBITMAP: hInst with a bitmap id of its resources,
// or hInst null and nID a bitmap handle (the toolbar copies its images).
struct TBADDBITMAP {
  HINSTANCE hInst = nullptr;
  UINT_PTR nID = 0;
};

inline constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;      // wParam id, lParam enable
inline constexpr UINT TB_CHECKBUTTON = WM_USER + 2;       // wParam id, lParam check
inline constexpr UINT TB_PRESSBUTTON = WM_USER + 3;       // wParam id, lParam press
inline constexpr UINT TB_HIDEBUTTON = WM_USER + 4;        // wParam id, lParam hide
inline constexpr UINT TB_ISBUTTONENABLED = WM_USER + 9;   // wParam id
inline constexpr UINT TB_ISBUTTONCHECKED = WM_USER + 10;  // wParam id
inline constexpr UINT TB_ISBUTTONPRESSED = WM_USER + 11;  // wParam id
inline constexpr UINT TB_ISBUTTONHIDDEN = WM_USER + 12;   // wParam id
inline constexpr UINT TB_SETSTATE = WM_USER + 17;         // wParam id, lParam state
inline constexpr UINT TB_GETSTATE = WM_USER + 18;         // wParam id; -1 if none
// wParam number of images, lParam TBADDBITMAP*; index of the first image
// added, -1 on failure.
inline constexpr UINT TB_ADDBITMAP = WM_USER + 19;
inline constexpr UINT TB_DELETEBUTTON = WM_USER + 22;  // wParam index
inline constexpr UINT TB_GETBUTTON = WM_USER + 23;     // wParam index, lParam TBBUTTON*
inline constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
inline constexpr UINT TB_COMMANDTOINDEX = WM_USER + 25;  // wParam id; -1 if none
inline constexpr UINT TB_GETITEMRECT = WM_USER + 29;     // wParam index, lParam RECT*
inline constexpr UINT TB_BUTTONSTRUCTSIZE = WM_USER + 30;
inline constexpr UINT TB_SETBUTTONSIZE = WM_USER + 31;  // lParam MAKELONG(cx, cy)
inline constexpr UINT TB_SETBITMAPSIZE = WM_USER + 32;  // lParam MAKELONG(cx, cy)
inline constexpr UINT TB_AUTOSIZE = WM_USER + 33;
inline constexpr UINT TB_SETIMAGELIST = WM_USER + 48;  // lParam HIMAGELIST; the old one
inline constexpr UINT TB_GETIMAGELIST = WM_USER + 49;
inline constexpr UINT TB_GETRECT = WM_USER + 51;        // wParam id, lParam RECT*
inline constexpr UINT TB_GETBUTTONSIZE = WM_USER + 58;  // MAKELONG(cx, cy)
inline constexpr UINT TB_INSERTBUTTON = WM_USER + 67;   // wParam index, lParam TBBUTTON*
inline constexpr UINT TB_ADDBUTTONS = WM_USER + 68;     // wParam count, lParam TBBUTTON*
inline constexpr UINT TB_HITTEST = WM_USER + 69;        // lParam POINT*; index, or < 0

// Makes a toolbar child of `parent` with the id, adds `bitmap_count`
// images from the module's bitmap (or, with a null instance, the bitmap
// handle `bitmap_id`) cut at the bitmap size, and the buttons; button and
// bitmap sizes of 0 keep the defaults. Null when the window cannot be made.
HWND CreateToolbarEx(HWND parent, DWORD style, UINT id, int bitmap_count, HINSTANCE instance,
                     UINT_PTR bitmap_id, const TBBUTTON* buttons, int button_count,
                     int button_width, int button_height, int bitmap_width, int bitmap_height,
                     UINT button_struct_size);

}  // namespace platform
