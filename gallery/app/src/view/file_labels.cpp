#include "file_labels.h"

#include <cstdio>

#include "browser_children.h"
#include "command_line.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/time.h"

namespace gallery {

namespace {

using namespace platform;

bool IsZero(const FILETIME& time) { return time.dwLowDateTime == 0 && time.dwHighDateTime == 0; }

// The short date in the system's locale; empty when the locale cannot say.
std::string ShortDate(const SYSTEMTIME& time) {
  const int size = GetDateFormat(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &time, nullptr, nullptr, 0);
  if (size <= 0) return {};
  std::string date(static_cast<std::size_t>(size), '\0');
  if (GetDateFormat(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &time, nullptr, date.data(), size) <= 0)
    return {};
  date.resize(static_cast<std::size_t>(size - 1));
  return date;
}

}  // namespace

std::string NameWithSize(const std::string& name, std::uint64_t size) {
  char text[64];
  if (size < 1024) {
    std::snprintf(text, sizeof text, " (%db)", static_cast<int>(size));
  } else {
    std::snprintf(text, sizeof text, " (%.1fk)", static_cast<double>(size) / 1024);
  }
  return name + text;
}

std::string DateLine(const std::string& date, int hour, int minute, int width, int height) {
  char text[64];
  const int twelve_hour = hour % 12 == 0 ? 12 : hour % 12;
  std::snprintf(text, sizeof text, " %d:%02d%s %dx%d", twelve_hour, minute, hour < 12 ? "am" : "pm",
                width, height);
  return date + text;
}

void ShowFileLabels(HWND browser, const std::string& path, int width, int height) {
  WIN32_FIND_DATA data;
  FindHandle find = FindFirstFile(path, &data);
  if (!find) {
    ShowNameOnly(browser, path);
    return;
  }
  FindClose(find);
  const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  SetWindowText(GetDlgItem(browser, kNameLabel), NameWithSize(FileNameOf(path), size));

  const FILETIME stamp = IsZero(data.ftLastWriteTime) ? data.ftCreationTime : data.ftLastWriteTime;
  FILETIME local;
  SYSTEMTIME time;
  std::string line;
  if (FileTimeToLocalFileTime(&stamp, &local) && FileTimeToSystemTime(&local, &time))
    line = DateLine(ShortDate(time), time.wHour, time.wMinute, width, height);
  SetWindowText(GetDlgItem(browser, kDateLabel), line);
}

void ShowNameOnly(HWND browser, const std::string& path) {
  SetWindowText(GetDlgItem(browser, kNameLabel), FileNameOf(path));
  SetWindowText(GetDlgItem(browser, kDateLabel), "");
}

void ClearFileLabels(HWND browser) {
  SetWindowText(GetDlgItem(browser, kNameLabel), "");
  SetWindowText(GetDlgItem(browser, kDateLabel), "");
}

}  // namespace gallery
