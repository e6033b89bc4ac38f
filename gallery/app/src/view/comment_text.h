// The JPEG comment between the file and the editor: the file holds bytes
// of the system's code page, at most 65,000 and a terminating zero; the
// editor holds UTF-8 text. Conversions never run past those sizes: a
// longer text is cut at a character boundary, and a text the code page
// cannot hold is refused instead of being stored with question marks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace gallery {

// The buffers' size: 65,000 bytes or characters and the terminating zero.
inline constexpr int kCommentBufferSize = 65001;

// The file's comment bytes (up to the first zero) as UTF-8, at most
// 65,000 UTF-16 units. Bytes the code page does not define read as U+FFFD.
std::string CommentFromFile(platform::UINT code_page, std::string_view bytes);

struct FileComment {
  std::string bytes;     // without the terminating zero
  bool cut = false;      // the text was longer than the file can hold
  bool storable = true;  // false: the code page lacks some of its characters
};
// The editor's UTF-8 text as the code page's bytes, at most 65,000.
FileComment CommentForFile(platform::UINT code_page, std::string_view text);

}  // namespace gallery
