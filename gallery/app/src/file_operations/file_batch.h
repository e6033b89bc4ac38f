// One delete, move or copy over a list of pictures (the marked entries or
// the current file), each carrying its voice note. A failed picture never
// stops the others.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "picture_files.h"

namespace gallery {

enum class FileOperation { kDelete, kMove, kCopy };

struct PictureOutcome {
  std::string picture;
  PictureFileResult result;
};

// Runs `operation` on `pictures` in order; moves and copies go into
// `destination` (ending in "\") under each picture's own name. Nothing is
// done, and nullopt returned, when a move or copy would go into
// `listed_folder` itself.
std::optional<std::vector<PictureOutcome>> RunFileOperation(
    FileOperation operation, const std::vector<std::string>& pictures,
    const std::string& destination, const std::string& listed_folder);

int FailedCount(const std::vector<PictureOutcome>& outcomes);
// Whether any failure left a picture apart from its note.
bool AnyPairSplit(const std::vector<PictureOutcome>& outcomes);

}  // namespace gallery
