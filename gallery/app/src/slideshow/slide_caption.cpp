#include "slideshow/slide_caption.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/time.h"

namespace gallery {
namespace {

constexpr platform::COLORREF kCaptionShadow = platform::RGB(0, 0, 0);
constexpr platform::COLORREF kCaptionText = platform::RGB(200, 208, 216);

}  // namespace

std::string CaptionText(const CaptionFile& file, const std::string& short_date,
                        const imaging::ImageInfo& info, bool show_name, bool show_info) {
  std::string text;
  if (show_name) text = file.name;
  if (!show_info) return text;
  const int hour = file.local_time.wHour % 12 == 0 ? 12 : file.local_time.wHour % 12;
  const char* half = file.local_time.wHour < 12 ? "am" : "pm";
  char line[160];
  if (file.size < 1024)
    std::snprintf(line, sizeof(line), "%s %d:%02d%s %dx%d (%db)", short_date.c_str(), hour,
                  file.local_time.wMinute, half, info.width, info.height,
                  static_cast<int>(file.size));
  else
    std::snprintf(line, sizeof(line), "%s %d:%02d%s %dx%d (%.1fk)", short_date.c_str(), hour,
                  file.local_time.wMinute, half, info.width, info.height,
                  static_cast<double>(file.size) / 1024);
  if (show_name) text += "\r\n";
  return text + line;
}

bool ReadCaptionFile(const std::string& path, CaptionFile* file) {
  platform::WIN32_FIND_DATA data;
  platform::FindHandle find = platform::FindFirstFile(path, &data);
  if (!find) return false;
  platform::FindClose(find);
  file->name = data.cFileName;
  file->size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  platform::FILETIME local;
  platform::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  platform::FileTimeToSystemTime(&local, &file->local_time);
  return true;
}

void DrawCaption(platform::HDC dc, const std::string& text, int width, int height) {
  if (text.empty()) return;
  platform::RECT measured{0, 0, width, height};
  platform::DrawText(dc, text, &measured, platform::DT_CALCRECT);
  const int text_width = measured.right - measured.left;
  const int text_height = measured.bottom - measured.top;
  platform::RECT place{width - text_width - 2, height - text_height - 2, width - 1, height - 1};
  platform::SetBkMode(dc, platform::TRANSPARENT);
  platform::SetTextColor(dc, kCaptionShadow);
  platform::DrawText(dc, text, &place, platform::DT_RIGHT);
  place = {place.left - 1, place.top - 1, place.right - 1, place.bottom - 1};
  platform::SetTextColor(dc, kCaptionText);
  platform::DrawText(dc, text, &place, platform::DT_RIGHT);
}

}  // namespace gallery
