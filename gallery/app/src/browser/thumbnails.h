// Thumbnails of listed files and drawing pictures into small surfaces: a
// thumbnail is made once per entry, from the clip plug-in for clips and
// from the imaging library otherwise, at most 40 x 30.
#pragma once

#include <string>

#include "browser/file_entry.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_types.h"

namespace imaging {
class Bitmap;
}

namespace gallery {

inline constexpr int kThumbnailWidth = 40;
inline constexpr int kThumbnailHeight = 30;
inline constexpr platform::COLORREF kCellBackground = platform::RGB(107, 161, 196);

// The thumbnail of `path`, at most 40 x 30; null when the file gives none.
// Each call into a media library holds MediaLock() for that call only.
platform::OwnedGdiObject<platform::HBITMAP> MakeThumbnail(const std::string& path);

// What a cell shows of an entry, made on first use: its thumbnail (null
// when the file gave none; the handle stays the entry's, valid while the
// entry lives) and whether it is a JPEG with a comment.
struct EntryLook {
  platform::HBITMAP thumbnail = nullptr;
  bool has_comment = false;
};
EntryLook LookOf(FileEntry& entry);

// Whether the entry's voice note exists, looked up again only after
// ForgetVoiceNote.
bool EntryHasVoiceNote(FileEntry& entry);
void ForgetVoiceNote(FileEntry& entry);

// A 24-bit top-down bitmap holding `bitmap`'s pixels.
platform::OwnedGdiObject<platform::HBITMAP> BitmapToDib(const imaging::Bitmap& bitmap);

// Draws `picture` into the `width` x `height` surface of `dc`, fitted
// without enlarging and centred; the background is filled first when the
// picture leaves more than a pixel free on either side.
void DrawFittedPicture(platform::HDC dc, int width, int height, platform::HBITMAP picture,
                       platform::COLORREF background);

}  // namespace gallery
