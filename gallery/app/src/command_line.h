// The gallery's command line: one path, handed over by the camera or the
// shell, and never trusted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gallery {

// The longest path the gallery takes, in characters, as on the handheld.
inline constexpr std::size_t kLongestPath = 259;

// The path to start on: an existing picture file, or an existing folder
// (as that folder followed by "\", so that its folder is the folder
// itself). One pair of quotes around the whole line is dropped. Nothing
// when the line is empty, too long, not an absolute path, or names nothing
// that exists: the gallery then starts on its last folder.
std::optional<std::string> StartPathFromCommandLine(std::string_view command_line);

// The folder part of a path: everything before its last "\" ("\" for a
// file at the root).
std::string FolderOf(std::string_view path);

// The file-name part of a path: everything after its last "\".
std::string FileNameOf(std::string_view path);

}  // namespace gallery
