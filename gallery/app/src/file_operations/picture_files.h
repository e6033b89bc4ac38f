// A picture and its voice note as one item on disk: deleting, moving,
// copying or renaming the picture takes the note along, and a note that
// cannot follow undoes the picture's step, so that no pair is ever split
// without the caller hearing of it.
#pragma once

#include <string>

#include "platform/types.h"

namespace gallery {

struct PictureFileResult {
  bool ok = false;
  platform::DWORD error = 0;  // the platform's error number when !ok
  // Set when the picture's step could not be undone after its note failed:
  // the picture and its note now stand in different places.
  bool pair_split = false;
};

// Deletes the picture, then its note. A note that cannot go (locked) stays
// beside the name the picture had and is reported as a failure.
PictureFileResult DeletePictureFiles(const std::string& picture);

// Moves the picture to `new_path` (another name or folder), then its note
// to the new picture's note path. When the note cannot follow, the picture
// is moved back.
PictureFileResult MovePictureFiles(const std::string& picture, const std::string& new_path);

// Copies the picture to `new_path` without overwriting, then its note.
// When the note cannot be copied, the picture's copy is removed again.
PictureFileResult CopyPictureFiles(const std::string& picture, const std::string& new_path);

// `folder` (ending in "\") followed by the file name of `path`.
std::string PathInFolder(const std::string& folder, const std::string& path);

}  // namespace gallery
