// The caption under a slide: the file name, an information line (date,
// time, picture size and file size), or both on two lines.
#pragma once

#include <string>

#include "imaging/qximglib.h"
#include "platform/gdi.h"
#include "platform/types.h"

namespace gallery {

struct CaptionFile {
  std::string name;
  platform::SYSTEMTIME local_time;  // the file's time, local
  std::uint64_t size = 0;
};

// The caption's text; empty when neither part is asked for. `short_date`
// is the file time's date in the locale's short form.
std::string CaptionText(const CaptionFile& file, const std::string& short_date,
                        const imaging::ImageInfo& info, bool show_name, bool show_info);

// Reads the file's name, time and size; false when it is gone.
bool ReadCaptionFile(const std::string& path, CaptionFile* file);

// Draws `text` right-aligned at the bottom right of a W x H screen: black,
// then one pixel up and left in a light grey-blue, over the picture.
void DrawCaption(platform::HDC dc, const std::string& text, int width, int height);

}  // namespace gallery
