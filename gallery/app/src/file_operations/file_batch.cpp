#include "file_batch.h"

#include <algorithm>

#include "platform/paths.h"

namespace gallery {

namespace {

PictureFileResult RunOne(FileOperation operation, const std::string& picture,
                         const std::string& destination) {
  switch (operation) {
    case FileOperation::kDelete:
      return DeletePictureFiles(picture);
    case FileOperation::kMove:
      return MovePictureFiles(picture, PathInFolder(destination, picture));
    case FileOperation::kCopy:
      return CopyPictureFiles(picture, PathInFolder(destination, picture));
  }
  return {};
}

}  // namespace

std::optional<std::vector<PictureOutcome>> RunFileOperation(
    FileOperation operation, const std::vector<std::string>& pictures,
    const std::string& destination, const std::string& listed_folder) {
  if (operation != FileOperation::kDelete &&
      platform::EqualsIgnoreCase(destination, listed_folder)) {
    return std::nullopt;
  }
  std::vector<PictureOutcome> outcomes;
  outcomes.reserve(pictures.size());
  for (const std::string& picture : pictures) {
    outcomes.push_back({picture, RunOne(operation, picture, destination)});
  }
  return outcomes;
}

int FailedCount(const std::vector<PictureOutcome>& outcomes) {
  return static_cast<int>(std::count_if(outcomes.begin(), outcomes.end(),
                                        [](const PictureOutcome& o) { return !o.result.ok; }));
}

bool AnyPairSplit(const std::vector<PictureOutcome>& outcomes) {
  return std::any_of(outcomes.begin(), outcomes.end(),
                     [](const PictureOutcome& o) { return o.result.pair_split; });
}

}  // namespace gallery
