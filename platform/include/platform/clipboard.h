// The clipboard: blocks of data by format, such as the packed bitmaps
// (CF_DIB) the gallery exports. A thread opens it, changes or reads it,
// and closes it; meanwhile no other thread can open it.
#pragma once

#include <optional>
#include <vector>

#include "platform/window.h"

namespace platform {

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_DIB = 8;
inline constexpr UINT CF_UNICODETEXT = 13;

// FALSE (ERROR_ACCESS_DENIED) while another thread has it open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Removes every block; the caller must have it open.
BOOL EmptyClipboard();
// The clipboard takes the block (replacing one of the same format). FALSE
// when the caller has not opened it; the block is then dropped.
BOOL SetClipboardData(UINT format, std::vector<BYTE> block);
// A copy of the block; nothing when the format is absent or the caller has
// not opened the clipboard.
std::optional<std::vector<BYTE>> GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();

}  // namespace platform
