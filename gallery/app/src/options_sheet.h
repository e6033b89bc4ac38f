// The options sheet (Tools > Options): four pages over the gallery's
// options, and what follows when it closes.
#pragma once

#include "gallery/options/gallery_options.h"
#include "platform/window.h"

namespace gallery {

void RunOptionsSheet(platform::HWND browser);

// After the sheet: the folder is listed again only when the sort key, the
// order or the subfolders changed; the options are saved, the recorder's
// copy refreshed and the histogram shown or hidden.
void AfterOptionsSheet(platform::HWND browser, const FileOptions& before);

}  // namespace gallery
