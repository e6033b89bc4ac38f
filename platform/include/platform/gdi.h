// Drawing: drawing contexts, bitmaps and DIB sections, blits, brushes,
// pens, shapes, fonts and text, icons and bitmaps from module resources.
//
// Text is UTF-8. A 16-bit bitmap always holds RGB565 words (the handheld's
// screen format); 24-bit ones hold blue, green, red bytes. Fonts are drawn
// antialiased with the host's fonts: Liberation Sans stands for "Tahoma",
// "Arial" and the system font, WenQuanYi Zen Hei for Chinese and Korean
// faces and for the characters the chosen face lacks.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi_types.h"
#include "platform/modules.h"
#include "platform/resources.h"

namespace platform {

// ---- Drawing contexts -------------------------------------------------

// A memory drawing context; `compatible_with` may be null (the screen). It
// starts with a 1x1 bitmap selected, which a blit leaves as it is.
HDC CreateCompatibleDC(HDC compatible_with);
// Deletes a memory context or one CreateDC made, lost or not (window
// contexts are released by the window system). What was selected into it
// stays valid.
BOOL DeleteDC(HDC dc);
// Selects a bitmap (memory contexts only), brush, pen or font and returns
// the object it replaces; null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

inline constexpr int OBJ_PEN = 1;
inline constexpr int OBJ_BRUSH = 2;
inline constexpr int OBJ_FONT = 6;
inline constexpr int OBJ_BITMAP = 7;
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
// Each returns the previous value (CLR_INVALID / 0 on a bad context).
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

COLORREF GetPixel(HDC dc, int x, int y);
// Returns the colour set (after the surface's rounding), CLR_INVALID when
// the point is outside the drawing area.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);

inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
// The size and depth of the context's display: the screen, or the display
// CreateDC made it for (external_display.h).
int GetDeviceCaps(HDC dc, int index);

// ---- Objects ----------------------------------------------------------

// Deletes a pen, brush, font or bitmap. Objects selected into a context
// live on until they are replaced there; stock objects are never deleted.
BOOL DeleteObject(HGDIOBJ object);

inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;
HGDIOBJ GetStockObject(int index);

// System colours of the handheld's standard scheme.
inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_STATIC = 25;
inline constexpr int COLOR_STATICTEXT = 26;
COLORREF GetSysColor(int index);
// A stock brush of the colour (not to be deleted); null for an unknown index.
HBRUSH GetSysColorBrush(int index);

HBRUSH CreateSolidBrush(COLORREF color);

inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_NULL = 5;
// Width 0 draws one pixel wide, as does 1.
HPEN CreatePen(int style, int width, COLORREF color);

// ---- Bitmaps ----------------------------------------------------------

struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 1;
  WORD bmBitsPixel = 0;
  void* bmBits = nullptr;  // DIB sections only
};

inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;  // negative: rows top-down
  WORD biPlanes = 1;
  WORD biBitCount = 0;
  DWORD biCompression = BI_RGB;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[3];  // the three masks with BI_BITFIELDS
};

inline constexpr UINT DIB_RGB_COLORS = 0;

// A bitmap whose pixels the caller reaches directly through *bits: 16 bits
// (RGB565 words, with BI_RGB or with BI_BITFIELDS masks 0xF800, 0x07E0,
// 0x001F) or 24 bits (blue, green, red), rows padded to 4 bytes, bottom-up
// unless the height is negative. Pixels start black.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                         void* section = nullptr, DWORD offset = 0);
// A bitmap in the format of the context's bitmap (16-bit for the screen).
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A bitmap of 16 or 24 bits per pixel (one plane) from rows top line first,
// each padded to an even number of bytes; bits may be null (black).
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits);

// Fills BITMAP for a bitmap, LOGFONT for a font; returns bytes written, 0
// on failure. With a null buffer, the size it would write.
int GetObject(HGDIOBJ object, int size, void* buffer);

// A bitmap (PNG) of the module's resources; null with the last error set
// when there is none or it does not decode. The bitmap is 24-bit.
HBITMAP LoadBitmap(HINSTANCE instance, const ResourceId& id);

// ---- Blits, fills and shapes ------------------------------------------

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop);
// Fills with the selected brush (PATCOPY), black, white or inverts (DSTINVERT).
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

inline constexpr int BLACKONWHITE = 1;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
inline constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
// COLORONCOLOR picks the nearest pixel; HALFTONE (also BILINEAR) filters.
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
inline constexpr int BILINEAR = HALFTONE;
// SRCCOPY only; a negative width or height mirrors.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                int source_y, int source_width, int source_height, DWORD rop);
// Copies the source rectangle scaled into the destination rectangle (nearest
// pixel), leaving the destination where the source has the key colour. The
// source is a context or a bitmap (which need not be selected anywhere).
BOOL TransparentImage(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                      int source_y, int source_width, int source_height, COLORREF transparent);
BOOL TransparentImage(HDC dest, int x, int y, int width, int height, HBITMAP source, int source_x,
                      int source_y, int source_width, int source_height, COLORREF transparent);

// Fills the rectangle (right and bottom outside) with the brush.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// One-pixel frame inside the rectangle with the brush.
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
// Outline with the selected pen, inside filled with the selected brush (the
// null brush leaves it). Right and bottom are outside.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// Lines through the points with the selected pen (the last point itself is
// not drawn, as with LineTo).
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL LineTo(HDC dc, int x, int y);

// ---- Fonts and text ---------------------------------------------------

inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_THIN = 100;
inline constexpr LONG FW_LIGHT = 300;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr LONG FW_HEAVY = 900;

inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE HANGUL_CHARSET = 129;
inline constexpr BYTE GB2312_CHARSET = 134;
inline constexpr BYTE CHINESEBIG5_CHARSET = 136;

inline constexpr int LF_FACESIZE = 32;

struct LOGFONT {
  // Negative: the characters' height in pixels; positive: the cell height
  // (ascent + descent); 0: the system font's size.
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = FW_DONTCARE;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = ANSI_CHARSET;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  std::string lfFaceName;  // UTF-8
};

HFONT CreateFontIndirect(const LOGFONT* font);

struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
};
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
// Width of the text and the font's cell height, with the selected font.
BOOL GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* size);

inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_EXPANDTABS = 0x0040;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr UINT DT_NOPREFIX = 0x0800;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;
// Draws text in a rectangle with the selected font, text colour and
// background mode. Lines break at "\n" (unless DT_SINGLELINE) and, with
// DT_WORDBREAK, between words that would pass the right edge; "&" marks
// the next character as underlined unless DT_NOPREFIX ("&&" is one "&").
// DT_VCENTER and DT_BOTTOM apply to single lines. With DT_CALCRECT only
// the rectangle's right and bottom are set to fit the text. Returns the
// text's height.
int DrawText(HDC dc, std::string_view text, RECT* rect, UINT format);

inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;
// Draws one line with its top-left corner at (x, y). ETO_OPAQUE fills the
// rectangle with the background colour first; ETO_CLIPPED keeps the text
// inside it. `advances`, when given, is the distance to each next character.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text,
                const int* advances = nullptr);

// ---- Icons --------------------------------------------------------------

// An icon (PNG) of the module's resources; null when there is none.
HICON LoadIcon(HINSTANCE instance, const ResourceId& id);
// An icon drawn from two bitmaps: `mask` set pixels (non-black) are
// transparent, `color` gives the rest; the bitmaps are copied.
struct ICONINFO {
  BOOL fIcon = TRUE;
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = nullptr;
  HBITMAP hbmColor = nullptr;
};
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// Draws the icon at its own size; transparent parts leave the background.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// Width and height of the icon into *size.
BOOL GetIconSize(HICON icon, SIZE* size);

}  // namespace platform
