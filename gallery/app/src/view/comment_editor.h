// The comment editor (class "TextEdit"): a full-screen window titled with
// the picture's path holding one multi-line edit; the Done button keeps
// the text, Escape leaves it. It runs its own message loop.
#pragma once

#include <optional>
#include <string>

#include "platform/window.h"

namespace gallery {

// Shows `text` for editing in at most `limit` - 1 characters, read-only
// when `limit` is 0. The edited text when it was changed and kept with
// Done; nothing otherwise.
std::optional<std::string> RunCommentEditor(platform::HWND owner, const std::string& title,
                                            const std::string& text, int limit);

// Reads the comment of `path`, lets the user edit it and writes it back
// in the system's code page. Nothing opens when the file has no comment.
void EditComment(platform::HWND browser, const std::string& path);

}  // namespace gallery
