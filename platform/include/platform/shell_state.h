// The shell's screen furniture as states: the task bar across the top (hidden
// while a full-screen window asks so) and the input panel above the menu bar.
// The screen draws them over the windows; taps on them reach no window.
#pragma once

#include "platform/gdi_types.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace platform {

inline constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
inline constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
inline constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
inline constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
inline constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
inline constexpr DWORD SHFS_HIDESTARTICON = 0x0020;
// Shows or hides the task bar (and the input-panel button) while the
// window (its top-level window) is the active one.
BOOL SHFullScreen(HWND hwnd, DWORD state);

inline constexpr DWORD SIPF_OFF = 0x00000000;
inline constexpr DWORD SIPF_ON = 0x00000001;
// Raises or lowers the input panel.
BOOL SipShowIM(DWORD flags);
enum SIPSTATE { SIP_UP = 0, SIP_DOWN, SIP_FORCEDOWN, SIP_UNCHANGED, SIP_INPUTDIALOG };
BOOL SHSipPreference(HWND hwnd, SIPSTATE state);

inline constexpr UINT SPI_GETWORKAREA = 48;
// SPI_GETWORKAREA fills a RECT.
BOOL SystemParametersInfo(UINT action, UINT param, void* value, UINT update);

namespace shell {

inline constexpr int kTaskBarHeight = 26;
inline constexpr int kMenuBarHeight = 26;
inline constexpr RECT kTaskBarRect{0, 0, screen::kWidth, kTaskBarHeight};
inline constexpr RECT kInputPanelRect{0, screen::kHeight - kMenuBarHeight - 80, screen::kWidth,
                                      screen::kHeight - kMenuBarHeight};

// The screen below the task bar (where full-screen windows go).
RECT WorkArea();
bool TaskBarShown();
bool InputPanelShown();
bool InputPanelButtonShown();

}  // namespace shell

}  // namespace platform
