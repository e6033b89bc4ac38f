// Image lists: rows of same-sized images, cut from a bitmap strip or added
// one by one, drawn transparently where their mask says so.
#pragma once

#include "platform/gdi.h"

namespace platform {

struct ImageListTag {
  virtual ~ImageListTag() = default;
};
using HIMAGELIST = ImageListTag*;

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR = 0x0000;
inline constexpr UINT ILC_COLOR16 = 0x0010;
inline constexpr UINT ILC_COLOR24 = 0x0018;

inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr UINT ILD_FOCUS = 0x0002;
inline constexpr UINT ILD_SELECTED = 0x0004;

inline constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

// An empty list of images of cx x cy pixels; with ILC_MASK images keep a
// mask. `initial` and `grow` are accepted for compatibility.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Adds the bitmap cut into images of the list's width (a strip); a mask
// bitmap's non-black pixels are transparent. Returns the first new index,
// -1 on failure.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// The same with pixels of the mask colour transparent.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
// Adds (index -1) or replaces an image by an icon scaled to the list's size.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) {
  return ImageList_ReplaceIcon(list, -1, icon);
}
// A list from a bitmap strip of the module's resources; the mask colour
// (CLR_NONE for none) marks transparent pixels.
HIMAGELIST ImageList_LoadBitmap(HINSTANCE instance, const ResourceId& id, int cx, int grow,
                                COLORREF mask);
// Draws image `index` with its top-left corner at (x, y). Masked images
// leave the background where they are transparent; ILD_SELECTED and
// ILD_FOCUS blend the image with the highlight colour.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Removes one image, or all with -1.
BOOL ImageList_Remove(HIMAGELIST list, int index);

}  // namespace platform
