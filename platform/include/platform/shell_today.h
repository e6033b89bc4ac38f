// The shell's desktop: the "Today" screen a person sees when no program is
// in front (the date and time, the free memory) and the Start menu that the
// flag at the left of the task bar opens, listing the shortcuts of the
// programs folder ("\Windows\Start Menu\Programs"); a tap on one starts its
// program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace platform {

inline constexpr std::string_view kTodayProgramPath = "\\Windows\\shell.exe";
inline constexpr std::string_view kTodayWindowClass = "DesktopToday";
inline constexpr std::string_view kStartMenuClass = "StartMenu";

// The desktop program's entry: runs until the handheld shuts down.
int TodayProgramMain(HINSTANCE instance, const std::string& command_line);

namespace shell {

// The flag at the left of the task bar.
inline constexpr RECT kStartButtonRect{0, 0, 26, 26};
// The Start menu's rows, from the top.
inline constexpr int kStartMenuTop = 26;
inline constexpr int kStartMenuRowHeight = 24;
inline constexpr int kStartMenuWidth = 160;

struct StartMenuEntry {
  std::string name;    // the shortcut's name without ".lnk"
  std::string target;  // what it starts
};
// The programs folder's shortcuts, by name.
std::vector<StartMenuEntry> StartMenuEntries();

// A stylus event at a screen point: true when it is the start flag's while
// the desktop runs (a lift there opens or closes the Start menu).
bool StylusOnStartButton(UINT message, POINT point);

}  // namespace shell

}  // namespace platform
