// A picture's spoken note: a WAV file beside it with the same path and the
// extension "WAV" (\a\b.jpg has the note \a\b.WAV). Every part that moves,
// lists, plays or shows notes names them through here.
#pragma once

#include <string>
#include <string_view>

namespace gallery {

// The note's path: the picture's path with its last three characters
// replaced by "WAV", when the path is longer than three characters and its
// fourth character from the end is "."; empty otherwise.
std::string VoiceNotePath(std::string_view picture);

// Whether the note's path names an existing file that is not a folder.
bool HasVoiceNote(std::string_view picture);

}  // namespace gallery
