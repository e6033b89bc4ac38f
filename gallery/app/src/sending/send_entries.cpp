// The user's own Send entries: one subkey of "Software\QX\OrsaGal\Send
// Menu" each, named as its menu item, with the program to run ("App") and
// its parameters ("Param"). Read into the menu once at start; each command
// looks its entry up again by the item's text.
#include <cstring>
#include <string>

#include "gallery/resources/commands.h"
#include "platform/menu_bar.h"
#include "platform/menus.h"
#include "platform/registry.h"
#include "platform/shell_execute.h"
#include "send_parameters.h"
#include "sending.h"
#include "sending_start.h"

namespace gallery::sending {

namespace {

using namespace platform;

constexpr char kSendMenuKey[] = "Software\\QX\\OrsaGal\\Send Menu";
constexpr DWORD kMaxEntries = kCommandLastSendEntry - kCommandFirstSendEntry + 1;
constexpr std::size_t kMaxEntryName = 128;
// "App" and "Param" are read into a buffer of this many bytes.
constexpr DWORD kValueBufferSize = 260;

HMENU ToolsMenu(HWND menu_bar) {
  return reinterpret_cast<HMENU>(SendMessage(menu_bar, SHCMBM_GETSUBMENU, 0, kMenuTools));
}

// The string value, or nothing when it is missing, not a string or too
// long for the buffer.
std::optional<std::string> ReadString(HKEY key, const char* name) {
  char buffer[kValueBufferSize] = {};
  DWORD size = sizeof buffer;
  DWORD type = 0;
  if (RegQueryValueEx(key, name, &type, buffer, &size) != ERROR_SUCCESS || type != REG_SZ) {
    return std::nullopt;
  }
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

// The text of the plain text item `command` of the Tools menu.
std::optional<std::string> EntryName(HWND browser, UINT command) {
  const HMENU tools = ToolsMenu(SHFindMenuBar(browser));
  if (!tools) return std::nullopt;
  char text[kMaxEntryName + 1] = {};
  MENUITEMINFO item;
  item.fMask = MIIM_TYPE;
  item.dwTypeData = text;
  item.cch = sizeof text;
  if (!GetMenuItemInfo(tools, command, FALSE, &item) || item.fType != MFT_STRING) {
    return std::nullopt;
  }
  return std::string(text);
}

}  // namespace

void AddSendEntries(HWND menu_bar) {
  const HMENU tools = menu_bar ? ToolsMenu(menu_bar) : nullptr;
  if (!tools) return;
  RegKey key;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, kSendMenuKey, key.put()) != ERROR_SUCCESS) return;
  for (DWORD index = 0; index < kMaxEntries; ++index) {
    std::string name;
    if (RegEnumKeyEx(key.get(), index, &name) != ERROR_SUCCESS) return;
    if (name.size() > kMaxEntryName) return;
    AppendMenu(tools, MF_STRING, kCommandFirstSendEntry + index, name);
  }
}

void RunSendEntry(HWND browser, UINT command, const std::string& path) {
  const std::optional<std::string> name = EntryName(browser, command);
  if (!name) return;
  RegKey entry;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, std::string(kSendMenuKey) + "\\" + *name, entry.put()) !=
      ERROR_SUCCESS) {
    return;
  }
  const std::optional<std::string> app = ReadString(entry.get(), "App");
  if (!app) return;
  std::optional<std::string> parameters = path;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueEx(entry.get(), "Param", &type, nullptr, &size) == ERROR_SUCCESS) {
    const std::optional<std::string> format = ReadString(entry.get(), "Param");
    if (!format) return;  // not a text the buffer holds: run nothing rather than guess
    parameters = FormatSendParameters(*format, path);
  }
  if (!parameters) return;
  SHELLEXECUTEINFO info;
  info.lpFile = *app;
  info.lpParameters = *parameters;
  ShellExecuteEx(&info);
}

}  // namespace gallery::sending
